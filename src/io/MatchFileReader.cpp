// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/MatchFileReader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "io/TextLines.h"
#include "io/WholeFile.h"
#include "model/NumberReading.h"

namespace rp {

namespace {

constexpr const char* kCannotRead = QT_TRANSLATE_NOOP("returnplot", "Cannot read the match file \"%1\": %2.");

// Later than this a time is taken for a damaged line (about 116 days).
constexpr double kMaxTimeMs = 1e10;
// Tick counts beyond this are no longer whole numbers in a double.
constexpr double kMaxTicks = 9007199254740992.0;

constexpr std::uint8_t kSustainController = 64;
constexpr std::uint8_t kSoftController = 67;

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// The position of the bracket that closes the one at `open`, counting round
// and square brackets alike; npos when it is not closed.
std::size_t ClosingBracket(std::string_view text, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '(' || c == '[') ++depth;
    if ((c == ')' || c == ']') && --depth == 0) return i;
  }
  return std::string_view::npos;
}

// Calls `visit(i)` for each comma of a term's inside that stands outside
// brackets.
template <class Visit>
void ForTopLevelCommas(std::string_view inside, Visit visit) {
  int depth = 0;
  for (std::size_t i = 0; i < inside.size(); ++i) {
    const char c = inside[i];
    if (c == '(' || c == '[') ++depth;
    if (c == ')' || c == ']') --depth;
    if (c == ',' && depth == 0) visit(i);
  }
}

// The arguments of a term's inside, split at those commas. A term has few,
// so the first of them are kept without allocating anything: a match file
// has a term on every line.
class ArgumentList {
 public:
  explicit ArgumentList(std::string_view inside) {
    std::size_t start = 0;
    ForTopLevelCommas(inside, [&](std::size_t comma) {
      Add(inside.substr(start, comma - start));
      start = comma + 1;
    });
    Add(inside.substr(start));
  }
  // All arguments, also those beyond the ones kept.
  std::size_t size() const { return count_; }
  // Argument i, for i below both size() and kKept.
  std::string_view operator[](std::size_t i) const { return kept_[i]; }

  static constexpr std::size_t kKept = 12;

 private:
  void Add(std::string_view argument) {
    if (count_ < kKept) kept_[count_] = TrimBlanks(argument);
    ++count_;
  }
  std::array<std::string_view, kKept> kept_{};
  std::size_t count_ = 0;
};

// A term `name(...)` at the start of `text`: its inside, and in `rest` what
// follows its closing bracket. Nothing when `text` does not open with it or
// it is not closed.
std::optional<std::string_view> Term(std::string_view text, std::string_view name, std::string_view& rest) {
  if (!StartsWith(text, name) || text.size() <= name.size() || text[name.size()] != '(') return std::nullopt;
  const std::size_t close = ClosingBracket(text, name.size());
  if (close == std::string_view::npos) return std::nullopt;
  rest = text.substr(close + 1);
  return text.substr(name.size() + 1, close - name.size() - 1);
}

// A finite decimal number, or a fraction "p/q" of two of them.
std::optional<double> Number(std::string_view text) {
  const std::size_t slash = text.find('/');
  if (slash != std::string_view::npos) {
    const auto p = StrictNumber<double>(text.substr(0, slash));
    const auto q = StrictNumber<double>(text.substr(slash + 1));
    if (!p || !q || *q == 0.0 || !std::isfinite(*p / *q)) return std::nullopt;
    return *p / *q;
  }
  // StrictNumber takes no leading "+"; a match file may write one.
  if (StartsWith(text, "+")) text.remove_prefix(1);
  const auto value = StrictNumber<double>(text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

std::optional<std::uint8_t> MidiByte(std::string_view text) {
  const auto value = StrictNumber<int>(text);
  if (!value || *value < 0 || *value > 127) return std::nullopt;
  return static_cast<std::uint8_t>(*value);
}

// The key of a spelled pitch: "[Step,Alter]" and the octave.
std::optional<std::uint8_t> SpelledKey(std::string_view spelling, std::string_view octaveText) {
  if (spelling.size() < 2 || spelling.front() != '[' || spelling.back() != ']') return std::nullopt;
  const ArgumentList parts(spelling.substr(1, spelling.size() - 2));
  const auto octave = StrictNumber<int>(octaveText);
  if (parts.size() != 2 || parts[0].size() != 1 || !octave || *octave < -2 || *octave > 10) return std::nullopt;
  constexpr int kSteps[7] = {9, 11, 0, 2, 4, 5, 7};  // A to G
  const char letter = static_cast<char>(parts[0][0] | 0x20);
  if (letter < 'a' || letter > 'g') return std::nullopt;
  const std::string_view alter = parts[1];
  int shift = 0;
  if (alter == "#") {
    shift = 1;
  } else if (alter == "b") {
    shift = -1;
  } else if (alter == "##" || alter == "x") {
    shift = 2;
  } else if (alter == "bb") {
    shift = -2;
  } else if (alter != "n") {
    return std::nullopt;
  }
  const int key = 12 * (*octave + 1) + kSteps[letter - 'a'] + shift;
  if (key < 0 || key > 127) return std::nullopt;
  return static_cast<std::uint8_t>(key);
}

// Whether the comma-separated `attributes` hold `name`.
bool HasAttribute(std::string_view attributes, std::string_view name) {
  for (std::size_t start = 0; start <= attributes.size();) {
    const std::size_t comma = std::min(attributes.find(',', start), attributes.size());
    if (TrimBlanks(attributes.substr(start, comma - start)) == name) return true;
    start = comma + 1;
  }
  return false;
}

// The voice the attributes name first ("1" or "v1"), 0 when the first
// attribute is no voice.
int VoiceOf(std::string_view attributes) {
  std::string_view first = TrimBlanks(attributes.substr(0, attributes.find(',')));
  if (StartsWith(first, "v")) first.remove_prefix(1);
  const std::optional<int> voice = StrictNumber<int>(first);
  return voice && *voice > 0 ? *voice : 0;
}

class MatchParser {
 public:
  MatchParser(MatchFile& file, double msPerTick) : file_(file), msPerTick_(msPerTick) {}

  void Line(std::int64_t number, std::string_view line);

 private:
  // Each returns "" when the term was read, else why it could not be.
  std::string_view ScoreNote(std::string_view inside, MatchScoreNote& note) const;
  std::string_view PlayedNote(std::string_view inside, MatchPlayedNote& note) const;
  std::string_view SnoteLine(std::string_view term);
  std::string_view InsertionLine(std::string_view term);
  std::string_view PedalLine(std::string_view inside, std::uint8_t controller);
  std::string_view InfoLine(std::string_view inside);
  std::string_view ScorePropertyLine(std::string_view inside);
  std::optional<double> TimeMs(std::string_view ticks) const;

  MatchFile& file_;
  double msPerTick_;
  std::int64_t line_ = 0;
};

constexpr std::string_view kBadTime =
    QT_TRANSLATE_NOOP("returnplot", "a time that is not a tick count the program can hold");

std::optional<double> MatchParser::TimeMs(std::string_view ticks) const {
  const std::optional<double> t = Number(ticks);
  if (!t || *t < 0 || *t > kMaxTicks) return std::nullopt;
  const double ms = *t * msPerTick_;
  if (ms > kMaxTimeMs) return std::nullopt;
  return ms;
}

std::string_view MatchParser::ScoreNote(std::string_view inside, MatchScoreNote& note) const {
  const ArgumentList a(inside);
  if (a.size() < 8) return QT_TRANSLATE_NOOP("returnplot", "a score note with too few arguments");
  const std::optional<double> beats = Number(a[6]);
  if (!beats) return QT_TRANSLATE_NOOP("returnplot", "a score note whose onset in beats is not a number");
  note.anchor = a[0];
  note.barBeat = a[3];
  note.beatOffset = a[4];
  note.onsetInBeats = *beats;
  if (a.size() > 8) {
    const std::string_view list = a[8];
    if (list.size() < 2 || list.front() != '[' || list.back() != ']')
      return QT_TRANSLATE_NOOP("returnplot", "score note attributes without brackets");
    note.attributes = list.substr(1, list.size() - 2);
    note.grace = HasAttribute(note.attributes, "grace");
    note.arpeggio = HasAttribute(note.attributes, "arp");
    note.voice = VoiceOf(note.attributes);
  }
  return {};
}

std::string_view MatchParser::PlayedNote(std::string_view inside, MatchPlayedNote& note) const {
  const ArgumentList a(inside);
  if (a.size() != 7) return QT_TRANSLATE_NOOP("returnplot", "a played note without its seven arguments");
  std::optional<std::uint8_t> key;
  std::string_view onset, offset, velocity;
  if (StartsWith(a[1], "[")) {  // note(Id,[Step,Alter],Octave,Onset,Offset,AdjOffset,Velocity)
    key = SpelledKey(a[1], a[2]);
    onset = a[3];
    offset = a[4];
    velocity = a[6];
  } else {  // note(Id,MidiPitch,Onset,Offset,Velocity,Channel,Track)
    key = MidiByte(a[1]);
    onset = a[2];
    offset = a[3];
    velocity = a[4];
  }
  if (!key) return QT_TRANSLATE_NOOP("returnplot", "a pitch that is no MIDI key");
  const std::optional<double> on = TimeMs(onset);
  const std::optional<double> off = TimeMs(offset);
  if (!on || !off) return kBadTime;
  const std::optional<std::uint8_t> v = MidiByte(velocity);
  if (!v) return QT_TRANSLATE_NOOP("returnplot", "a velocity outside 0 to 127");
  note.key = *key;
  note.onsetMs = *on;
  note.offsetMs = std::max(*on, *off);
  note.velocity = *v;
  note.line = line_;
  return {};
}

std::string_view MatchParser::SnoteLine(std::string_view term) {
  std::string_view rest;
  const std::optional<std::string_view> score = Term(term, "snote", rest);
  if (!score) return QT_TRANSLATE_NOOP("returnplot", "an unfinished score note");
  MatchScoreNote note;
  if (const std::string_view why = ScoreNote(*score, note); !why.empty()) return why;
  if (rest == "-deletion") {
    file_.deletions.push_back(std::move(note));
    return {};
  }
  std::string_view after;
  const std::optional<std::string_view> played =
      StartsWith(rest, "-") ? Term(rest.substr(1), "note", after) : std::nullopt;
  if (!played || !after.empty())
    return QT_TRANSLATE_NOOP("returnplot", "a score note followed by neither -note(...) nor -deletion");
  MatchPair pair{std::move(note), {}};
  if (const std::string_view why = PlayedNote(*played, pair.played); !why.empty()) return why;
  file_.matched.push_back(std::move(pair));
  return {};
}

std::string_view MatchParser::InsertionLine(std::string_view term) {
  std::string_view after;
  const std::optional<std::string_view> played =
      Term(term.substr(std::string_view("insertion-").size()), "note", after);
  if (!played || !after.empty()) return QT_TRANSLATE_NOOP("returnplot", "an unfinished inserted note");
  MatchPlayedNote note;
  if (const std::string_view why = PlayedNote(*played, note); !why.empty()) return why;
  file_.insertions.push_back(note);
  return {};
}

std::string_view MatchParser::PedalLine(std::string_view inside, std::uint8_t controller) {
  const ArgumentList a(inside);
  if (a.size() != 2) return QT_TRANSLATE_NOOP("returnplot", "a pedal without its time and value");
  const std::optional<double> time = TimeMs(a[0]);
  if (!time) return kBadTime;
  const std::optional<std::uint8_t> value = MidiByte(a[1]);
  if (!value) return QT_TRANSLATE_NOOP("returnplot", "a pedal value outside 0 to 127");
  file_.pedals.push_back({*time, controller, *value});
  return {};
}

std::string_view MatchParser::InfoLine(std::string_view inside) {
  const std::size_t comma = inside.find(',');
  if (comma == std::string_view::npos) return QT_TRANSLATE_NOOP("returnplot", "an info term without a value");
  file_.info.emplace_back(DecodeUtf8OrLatin1(TrimBlanks(inside.substr(0, comma))),
                          DecodeUtf8OrLatin1(TrimBlanks(inside.substr(comma + 1))));
  return {};
}

std::string_view MatchParser::ScorePropertyLine(std::string_view inside) {
  std::vector<std::size_t> commas;
  ForTopLevelCommas(inside, [&commas](std::size_t comma) { commas.push_back(comma); });
  if (commas.empty()) return QT_TRANSLATE_NOOP("returnplot", "a score property without a value");
  // The value may hold commas: everything between the key and the last
  // three arguments (Bar:Beat, Offset, OnsetInBeats) when they are there.
  const std::size_t valueEnd = commas.size() >= 4 ? commas[commas.size() - 3] : inside.size();
  const std::string_view value = inside.substr(commas[0] + 1, valueEnd - commas[0] - 1);
  file_.scoreProperties.emplace_back(DecodeUtf8OrLatin1(TrimBlanks(inside.substr(0, commas[0]))),
                                     DecodeUtf8OrLatin1(TrimBlanks(value)));
  return {};
}

void MatchParser::Line(std::int64_t number, std::string_view line) {
  line_ = number;
  const std::string_view text = TrimBlanks(line);
  if (text.empty()) return;
  static constexpr std::string_view kKnown[] = {"info(",    "scoreprop(", "snote(", "insertion-",
                                                "sustain(", "soft(",      "note("};
  bool known = false;
  for (std::string_view head : kKnown) known = known || StartsWith(text, head);
  if (!known) {
    if (file_.otherLines.Count(number)) file_.otherLines.firstText = ShownLine(text);
    return;
  }
  std::string_view why;
  if (text.back() != '.') {
    why = QT_TRANSLATE_NOOP("returnplot", "a term not ended by \".\"");
  } else {
    const std::string_view term = text.substr(0, text.size() - 1);
    std::string_view rest;
    if (StartsWith(term, "snote(")) {
      why = SnoteLine(term);
    } else if (StartsWith(term, "insertion-")) {
      why = InsertionLine(term);
    } else if (StartsWith(term, "note(")) {
      why = term.find("-snote(") != std::string_view::npos
                ? QT_TRANSLATE_NOOP("returnplot", "a played note before its score note")
                : QT_TRANSLATE_NOOP(
                      "returnplot",
                      "a played note without a score note (an inserted note is written insertion-note(...))");
    } else if (const auto info = Term(term, "info", rest)) {
      why = rest.empty() ? InfoLine(*info) : QT_TRANSLATE_NOOP("returnplot", "an unfinished info term");
    } else if (const auto property = Term(term, "scoreprop", rest)) {
      why =
          rest.empty() ? ScorePropertyLine(*property) : QT_TRANSLATE_NOOP("returnplot", "an unfinished score property");
    } else if (const auto sustain = Term(term, "sustain", rest); sustain && rest.empty()) {
      why = PedalLine(*sustain, kSustainController);
    } else if (const auto soft = Term(term, "soft", rest); soft && rest.empty()) {
      why = PedalLine(*soft, kSoftController);
    } else {
      why = QT_TRANSLATE_NOOP("returnplot", "an unfinished term");
    }
  }
  if (why.empty()) return;
  if (file_.damagedLines.Count(number)) {
    file_.damagedLines.firstText = ShownLine(text);
    file_.damagedLines.firstReason = why;
  }
}

// The length of a tick in ms from the clock terms, wherever in the file they
// stand; 0 with the reason in `why` when they are missing or unusable.
double FindMsPerTick(const std::vector<std::string_view>& lines, std::string& why) {
  std::optional<double> units, rate;
  for (std::string_view line : lines) {
    const std::string_view text = TrimBlanks(line);
    if (!StartsWith(text, "info(midiClock")) continue;
    std::string_view rest;
    const std::optional<std::string_view> inside = Term(text, "info", rest);
    if (!inside) continue;
    const ArgumentList a(*inside);
    if (a.size() != 2 || (a[0] != "midiClockUnits" && a[0] != "midiClockRate")) continue;
    // The first of each counts.
    std::optional<double>& value = a[0] == "midiClockUnits" ? units : rate;
    if (value) continue;
    value = Number(a[1]);
    if (!value || *value <= 0) {
      why = FormatText(QT_TRANSLATE_NOOP("returnplot", "info(%1,...) is not a positive number"), {a[0]});
      return 0.0;
    }
  }
  if (!units || !rate) {
    why = QT_TRANSLATE_NOOP(
        "returnplot",
        "it does not say how long a MIDI clock tick lasts (info(midiClockUnits,...) and info(midiClockRate,...))");
    return 0.0;
  }
  const double msPerTick = *rate / *units / 1000.0;
  if (!std::isfinite(msPerTick) || msPerTick <= 0) {
    why = QT_TRANSLATE_NOOP("returnplot", "its MIDI clock tick has no usable length");
    return 0.0;
  }
  return msPerTick;
}

}  // namespace

std::string_view MatchFile::Info(std::string_view key) const {
  for (const auto& [k, v] : info) {
    if (k == key) return v;
  }
  for (const auto& [k, v] : scoreProperties) {
    if (k == key) return v;
  }
  return {};
}

bool LooksLikeMatchFile(std::string_view head) {
  if (StartsWith(head, "\xEF\xBB\xBF")) head.remove_prefix(3);
  for (std::string_view line : SplitLines(head)) {
    const std::string_view text = TrimBlanks(line);
    if (!text.empty()) return StartsWith(text, "info(") || StartsWith(text, "snote(");
  }
  return false;
}

MatchFile ParseMatchFile(std::string_view bytes, std::string_view fileName) {
  MatchFile file;
  if (StartsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
  const std::vector<std::string_view> lines = SplitLines(bytes);
  std::string why;
  file.msPerTick = FindMsPerTick(lines, why);
  if (file.msPerTick <= 0) {
    file.error = FormatText(kCannotRead, {fileName, why});
    return file;
  }
  MatchParser parser(file, file.msPerTick);
  for (std::size_t i = 0; i < lines.size(); ++i) parser.Line(static_cast<std::int64_t>(i) + 1, lines[i]);
  return file;
}

MatchFile ReadMatchFile(const std::string& path) {
  std::string bytes;
  std::string why;
  if (!ReadWholeFile(path, kMaxMatchFileBytes, bytes, why)) {
    MatchFile file;
    file.error = FormatText(kCannotRead, {path, why});
    return file;
  }
  return ParseMatchFile(bytes, path);
}

}  // namespace rp
