// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's language: the desktop's locale (QLocale::system(), which Qt
// reads from LC_ALL, LC_MESSAGES and LANG in that order) chooses the
// translation of the program's own texts (translations/returnplot_<lang>.ts,
// built into .qm files beside the program's data) and of Qt's dialogs. English
// is the texts themselves.

#include <QString>
#include <functional>
#include <string>
#include <string_view>

class QCoreApplication;
class QLocale;

namespace rp {

// The folder of the program's .qm files, in the program's data folder.
QString TranslationsFolder();

// Installs the translators for the locale on `app`; false when the program
// has no translation for it (English is shown).
bool InstallTranslations(QCoreApplication& app, const QLocale& locale);

// A text of the plain libraries, translated (base/TranslatableText.h): a
// marked text, or a message made from marked formats (base/TextFormat.h),
// several sentences joined by spaces and lines by line ends; what has no
// translation stays as it is.
QString TranslatedText(std::string_view text);

// TranslatedText for texts drawn again and again (the plot's, every frame):
// remembers what it translated, so a frame costs no pattern matching.
std::function<std::string(const std::string&)> RememberingTranslator();

}  // namespace rp
