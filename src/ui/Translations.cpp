// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <string>

#include "base/TranslatableText.h"
#include "io/DataFolder.h"

namespace rp {

QString TranslationsFolder() { return QString::fromStdString(ProgramDataFolder()) + QStringLiteral("translations"); }

bool InstallTranslations(QCoreApplication& app, const QLocale& locale) {
  // Qt's own dialogs first, so the program's texts win where both have one.
  auto* qt = new QTranslator(&app);
  if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
               QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(qt);
  } else {
    delete qt;
  }
  auto* own = new QTranslator(&app);
  if (!own->load(locale, QStringLiteral("returnplot"), QStringLiteral("_"), TranslationsFolder())) {
    delete own;
    return false;
  }
  QCoreApplication::installTranslator(own);
  return true;
}

QString TranslatedText(std::string_view text) {
  const std::string zeroEnded(text);
  return QCoreApplication::translate(kTextContext, zeroEnded.c_str());
}

}  // namespace rp
