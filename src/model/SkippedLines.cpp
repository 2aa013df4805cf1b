// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SkippedLines.h"

#include "base/TextFormat.h"
#include "base/TranslatableText.h"

namespace rp {

std::string SkippedLinesSummary(const SkippedLines& skipped, std::string_view path, SkippedKind kind) {
  if (skipped.count == 0) return {};
  // %1: the kind, %2: the count, %3: the first line with what is known of it,
  // %4: the file.
  const std::string line = std::to_string(skipped.firstLine);
  const std::string& reason = skipped.firstReason;
  const std::string& text = skipped.firstText;
  std::string first;
  if (!reason.empty() && !text.empty()) {
    first = FormatText(QT_TRANSLATE_NOOP("returnplot", "line %1: %2 (\"%3\")"), {line, reason, text});
  } else if (!reason.empty()) {
    first = FormatText(QT_TRANSLATE_NOOP("returnplot", "line %1: %2"), {line, reason});
  } else if (!text.empty()) {
    first = FormatText(QT_TRANSLATE_NOOP("returnplot", "line %1 (\"%2\")"), {line, text});
  } else {
    first = FormatText(QT_TRANSLATE_NOOP("returnplot", "line %1"), {line});
  }
  const std::string count = std::to_string(skipped.count);
  if (path.empty()) {
    return skipped.count == 1
               ? FormatText(QT_TRANSLATE_NOOP("returnplot", "1 line that looks like %1 was skipped, %3."),
                            {kind.one, count, first})
               : FormatText(
                     QT_TRANSLATE_NOOP("returnplot", "%2 lines that look like %1 were skipped; the first at %3."),
                     {kind.many, count, first});
  }
  return skipped.count == 1
             ? FormatText(QT_TRANSLATE_NOOP("returnplot", "In \"%4\", 1 line that looks like %1 was skipped, %3."),
                          {kind.one, count, first, path})
             : FormatText(QT_TRANSLATE_NOOP("returnplot",
                                            "In \"%4\", %2 lines that look like %1 were skipped; the first at %3."),
                          {kind.many, count, first, path});
}

}  // namespace rp
