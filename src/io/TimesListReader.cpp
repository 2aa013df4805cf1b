// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/TimesListReader.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "io/TextLines.h"
#include "io/WholeFile.h"
#include "model/NumberReading.h"

namespace rp {

namespace {

// Later than this a time is refused (about 116 days).
constexpr double kMaxTimeMs = 1e10;

// Lines that hold no time in any shape.
bool IsSkipped(std::string_view text) { return text.empty() || text.front() == '#' || text.front() == '\\'; }

TimesListForm FormOf(std::string_view text) {
  if (text.find('\t') != std::string_view::npos) return TimesListForm::LabelTrack;
  if (text.find(',') != std::string_view::npos) return TimesListForm::TimeInstants;
  return TimesListForm::Plain;
}

// The part of a line that holds its time in `form`; nothing when the line
// does not have that shape.
std::optional<std::string_view> TimeField(std::string_view text, TimesListForm form) {
  switch (form) {
    case TimesListForm::LabelTrack: {
      const std::size_t tab = text.find('\t');
      if (tab == std::string_view::npos) return std::nullopt;
      return TrimBlanks(text.substr(0, tab));
    }
    case TimesListForm::TimeInstants:
      return TrimBlanks(text.substr(0, text.find(',')));
    case TimesListForm::Plain:
      return text;
  }
  return std::nullopt;
}

// A finite time from 0 on, in the given unit; nothing for anything else.
std::optional<double> TimeMs(std::string_view field, double msPerUnit) {
  const std::optional<double> value = StrictNumber<double>(field);
  if (!value || !std::isfinite(*value) || *value < 0) return std::nullopt;
  const double ms = *value * msPerUnit;
  if (ms > kMaxTimeMs) return std::nullopt;
  return ms;
}

std::string_view WithoutByteOrderMark(std::string_view bytes) {
  return bytes.substr(0, 3) == "\xEF\xBB\xBF" ? bytes.substr(3) : bytes;
}

}  // namespace

bool LooksLikeTimesList(std::string_view head) {
  for (std::string_view line : SplitLines(WithoutByteOrderMark(head))) {
    const std::string_view text = TrimBlanks(line);
    if (IsSkipped(text)) continue;
    const std::optional<std::string_view> field = TimeField(text, FormOf(text));
    return field && TimeMs(*field, 1.0).has_value();
  }
  return false;
}

TimesList ParseTimesList(std::string_view bytes, TimesUnit plainUnit, std::string_view fileName) {
  TimesList list;
  bool formKnown = false;
  double msPerUnit = 1000.0;
  const std::string_view text = WithoutByteOrderMark(bytes);
  // One time a line at most: reserved once, so the times never need twice their room.
  std::size_t lineCount = 0;
  ForEachLine(text, [&lineCount](std::string_view) { return ++lineCount != 0; });
  list.timesMs.reserve(lineCount);
  std::size_t lineNumber = 0;
  ForEachLine(text, [&](std::string_view line) {
    ++lineNumber;
    const std::string_view trimmed = TrimBlanks(line);
    if (IsSkipped(trimmed)) return true;
    if (!formKnown) {
      list.form = FormOf(trimmed);
      formKnown = true;
      if (list.form == TimesListForm::Plain && plainUnit == TimesUnit::Milliseconds) msPerUnit = 1.0;
    }
    const std::optional<std::string_view> field = TimeField(trimmed, list.form);
    const std::optional<double> ms = field ? TimeMs(*field, msPerUnit) : std::nullopt;
    if (!ms) {
      const char* expected = list.form == TimesListForm::LabelTrack
                                 ? QT_TRANSLATE_NOOP("returnplot", "a label (start, tab, end, tab, label)")
                                 : QT_TRANSLATE_NOOP("returnplot", "a time (a number from 0 on)");
      list.error = FormatText(
          QT_TRANSLATE_NOOP("returnplot", "Cannot read the list of times \"%1\": line %2 (\"%3\") is not %4."),
          {fileName, std::to_string(lineNumber), ShownLine(trimmed), expected});
      return false;
    }
    if (!list.timesMs.empty() && *ms < list.timesMs.back()) list.wasUnsorted = true;
    list.timesMs.push_back(*ms);
    return true;
  });
  if (!list.error.empty()) {
    list.timesMs = {};
    return list;
  }
  if (list.wasUnsorted) std::stable_sort(list.timesMs.begin(), list.timesMs.end());
  list.timesMs.shrink_to_fit();
  return list;
}

TimesList ReadTimesList(const std::string& path, TimesUnit plainUnit) {
  std::string bytes;
  std::string why;
  if (!ReadWholeFile(path, kMaxTimesListBytes, bytes, why)) {
    TimesList list;
    list.error = FormatText(QT_TRANSLATE_NOOP("returnplot", "Cannot read the list of times \"%1\": %2."), {path, why});
    return list;
  }
  return ParseTimesList(bytes, plainUnit, path);
}

}  // namespace rp
