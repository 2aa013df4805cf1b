// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// User-visible texts of the plain libraries are marked where they are written
// with QT_TRANSLATE_NOOP(kTextContext, "text"), so Qt's lupdate finds them;
// the windows translate them where they show them
// (QCoreApplication::translate(kTextContext, text), ui/Translations.h). A
// text with values in it keeps its placeholders ("%1") while translated and
// gets the values after. The plain libraries do not include Qt, so here the
// macro is the text itself.

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace rp {

// The translation context of every text of the plain libraries. lupdate reads
// the context from the macro's first argument, so that argument is always the
// literal "returnplot", the same as this.
inline constexpr const char* kTextContext = "returnplot";

}  // namespace rp
