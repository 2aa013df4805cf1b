// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SkippedLines.h"

namespace rp {

std::string SkippedLinesSummary(const SkippedLines& skipped, std::string_view path, SkippedKind kind) {
  if (skipped.count == 0) return {};
  std::string text = path.empty() ? std::string() : "In \"" + std::string(path) + "\", ";
  if (skipped.count == 1) {
    text += "1 line that looks like " + std::string(kind.one) + " was skipped, line ";
  } else {
    text += std::to_string(skipped.count) + " lines that look like " + std::string(kind.many) +
            " were skipped; the first at line ";
  }
  text += std::to_string(skipped.firstLine);
  if (!skipped.firstReason.empty()) text += ": " + skipped.firstReason;
  if (!skipped.firstText.empty()) text += " (\"" + skipped.firstText + "\")";
  return text + ".";
}

}  // namespace rp
