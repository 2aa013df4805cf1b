// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/MatchScore.h"

#include <optional>
#include <vector>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "io/MatchFileReader.h"
#include "io/TextLines.h"
#include "io/WholeFile.h"
#include "model/NumberReading.h"

namespace rp {

namespace {

// The arguments of a term's inside, split at commas outside brackets.
std::vector<std::string_view> Arguments(std::string_view inside) {
  std::vector<std::string_view> arguments;
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= inside.size(); ++i) {
    const char c = i < inside.size() ? inside[i] : ',';
    if (c == '(' || c == '[') ++depth;
    if (c == ')' || c == ']') --depth;
    if (c == ',' && depth == 0) {
      arguments.push_back(TrimBlanks(inside.substr(start, i - start)));
      start = i + 1;
    }
  }
  return arguments;
}

// "0.25", "-1", "3/16", "1/4+3/8" (tied values) exactly.
std::optional<Rational> ExactNumber(std::string_view text) {
  if (const std::size_t plus = text.find('+'); plus != std::string_view::npos && plus > 0) {
    const auto a = ExactNumber(text.substr(0, plus));
    const auto b = ExactNumber(text.substr(plus + 1));
    if (!a || !b) return std::nullopt;
    return *a + *b;
  }
  const std::size_t slash = text.find('/');
  if (slash != std::string_view::npos) {
    const auto p = ExactNumber(text.substr(0, slash));
    const auto q = ExactNumber(text.substr(slash + 1));
    if (!p || !q || q->Num() == 0) return std::nullopt;
    return *p / *q;
  }
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  std::int64_t num = 0;
  std::int64_t den = 1;
  bool digits = false;
  bool point = false;
  for (const char c : text) {
    if (c == '.' && !point) {
      point = true;
    } else if (c >= '0' && c <= '9' && num < 100000000000LL) {
      num = 10 * num + (c - '0');
      if (point) den *= 10;
      digits = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  return Rational(negative ? -num : num, den);
}

// One snote(...) term's inside into `note`; "" or why it cannot be read.
const char* ScoreNoteOf(std::string_view inside, int beatType, ScoreNote& note) {
  const std::vector<std::string_view> a = Arguments(inside);
  if (a.size() < 8) return QT_TRANSLATE_NOOP("returnplot", "a score note with too few arguments");
  note.id = std::string(a[0]);
  const std::vector<std::string_view> spelling =
      a[1].size() >= 2 ? Arguments(a[1].substr(1, a[1].size() - 2)) : std::vector<std::string_view>{};
  const std::optional<int> octave = StrictNumber<int>(a[2]);
  if (spelling.size() != 2 || spelling[0].size() != 1 || !octave)
    return QT_TRANSLATE_NOOP("returnplot", "a score note without its spelled pitch");
  static constexpr int kSteps[7] = {9, 11, 0, 2, 4, 5, 7};  // A to G
  const char step = static_cast<char>(spelling[0][0] & ~0x20);
  if (step < 'A' || step > 'G') return QT_TRANSLATE_NOOP("returnplot", "a score note without its spelled pitch");
  const std::string_view alter = spelling[1];
  note.alter = alter == "#" ? 1 : alter == "b" ? -1 : alter == "##" || alter == "x" ? 2 : alter == "bb" ? -2 : 0;
  const int key = 12 * (*octave + 1) + kSteps[step - 'A'] + note.alter;
  if (key < 0 || key > 127) return QT_TRANSLATE_NOOP("returnplot", "a pitch outside the MIDI keys");
  note.step = step;
  note.octave = *octave;
  note.pitch = static_cast<std::uint8_t>(key);
  const std::size_t colon = a[3].find(':');
  const std::optional<int> bar = StrictNumber<int>(a[3].substr(0, colon));
  const std::optional<int> beat =
      colon == std::string_view::npos ? std::nullopt : StrictNumber<int>(a[3].substr(colon + 1));
  const std::optional<Rational> offset = ExactNumber(a[4]);
  const std::optional<Rational> duration = ExactNumber(a[5]);
  const std::optional<Rational> onset = ExactNumber(a[6]);
  if (!bar || !beat || !offset || !duration || !onset)
    return QT_TRANSLATE_NOOP("returnplot", "a score note whose place or length is not a number");
  note.bar = *bar;
  note.beat = *beat;
  note.offsetInBeat = *offset;
  note.durationWhole = *duration;
  note.durationBeats = (*duration * Rational(beatType)).ToDouble();
  note.positionWhole = *onset / Rational(beatType);
  note.positionBeats = onset->ToDouble();
  note.positionQuarters = (note.positionWhole * Rational(4)).ToDouble();
  const std::string_view attributes = a.size() > 8 ? a[8] : std::string_view();
  note.grace = attributes.find("grace") != std::string_view::npos;
  const std::size_t staff = attributes.find("staff");
  if (staff != std::string_view::npos)
    note.staff = LeadingWholeNumber<int>(attributes.substr(staff + 5, 2)).value_or(0);
  return "";
}

}  // namespace

MatchScoreRead ParseMatchScore(std::string_view bytes, std::string_view fileName) {
  MatchScoreRead read;
  // The time signature, the first given ("[2/4]", "3/8").
  int beats = 4;
  int beatType = 4;
  [&] {
    for (std::string_view line : SplitLines(bytes)) {
      line = TrimBlanks(line);
      for (const std::string_view key :
           {std::string_view("info(timeSignature,"), std::string_view("scoreprop(timeSignature,")}) {
        if (line.substr(0, key.size()) != key) continue;
        const std::size_t slash = line.find('/');
        std::size_t end = slash + 1;
        while (slash != std::string_view::npos && end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
        if (slash == std::string_view::npos) return;
        std::size_t start = slash;
        while (start > 0 && line[start - 1] >= '0' && line[start - 1] <= '9') --start;
        const auto b = StrictNumber<int>(line.substr(start, slash - start));
        const auto t = StrictNumber<int>(line.substr(slash + 1, end - slash - 1));
        if (b && t && *b > 0 && *t > 0) {
          beats = *b;
          beatType = *t;
        }
        return;
      }
    }
  }();
  std::int64_t number = 0;
  for (std::string_view line : SplitLines(bytes)) {
    ++number;
    line = TrimBlanks(line);
    if (line.substr(0, 6) != "snote(") continue;
    int depth = 0;
    std::size_t close = 0;
    for (std::size_t i = 5; i < line.size() && close == 0; ++i) {
      if (line[i] == '(' || line[i] == '[') ++depth;
      if ((line[i] == ')' || line[i] == ']') && --depth == 0) close = i;
    }
    ScoreNote note;
    const char* why = close == 0 ? QT_TRANSLATE_NOOP("returnplot", "an unfinished score note")
                                 : ScoreNoteOf(line.substr(6, close - 6), beatType, note);
    if (*why != '\0') {
      read.error = FormatText(QT_TRANSLATE_NOOP("returnplot", "Cannot read the score of \"%1\": line %2: %3."),
                              {fileName, std::to_string(number), why});
      return read;
    }
    read.score.notes.push_back(std::move(note));
  }
  SortScoreNotes(read.score);
  read.score.timeSignatures.push_back({0.0, 1, beats, beatType});
  return read;
}

MatchScoreRead ReadMatchScore(const std::string& path) {
  std::string bytes;
  std::string why;
  if (!ReadWholeFile(path, kMaxMatchFileBytes, bytes, why)) {
    MatchScoreRead read;
    read.error = FormatText(QT_TRANSLATE_NOOP("returnplot", "Cannot read the score of \"%1\": %2."), {path, why});
    return read;
  }
  return ParseMatchScore(bytes, path);
}

}  // namespace rp
