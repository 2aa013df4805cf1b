// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Beat.h"

#include <array>
#include <numeric>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "model/NumberReading.h"

namespace rp {

namespace {

constexpr int kLargestDenominator = 1024;

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// "N/D" of two positive whole numbers, D at most `kLargestDenominator`.
std::optional<std::pair<int, int>> Fraction(std::string_view text) {
  const std::size_t slash = text.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const std::string_view parts[2] = {Trimmed(text.substr(0, slash)), Trimmed(text.substr(slash + 1))};
  int values[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    const std::optional<int> value = StrictNumber<int>(parts[i]);
    if (!value || *value < 1) return std::nullopt;
    values[i] = *value;
  }
  if (values[1] > kLargestDenominator || values[0] > kLargestDenominator) return std::nullopt;
  return std::pair{values[0], values[1]};
}

}  // namespace

std::optional<TimeSignature> ParseTimeSignature(std::string_view text) {
  const auto fraction = Fraction(Trimmed(text));
  if (!fraction) return std::nullopt;
  return TimeSignature{fraction->first, fraction->second};
}

Beat BeatOfTimeSignature(TimeSignature signature) {
  if (signature.count >= 6 && signature.count % 3 == 0) return {3, signature.unit, false};
  return {1, signature.unit, false};
}

std::optional<Beat> ParseBeat(std::string_view text) {
  if (text == "quarter") return Beat{1, 4, false};
  if (text == "eighth") return Beat{1, 8, false};
  if (text == "dotted-quarter") return Beat{3, 8, false};
  if (text == "half") return Beat{1, 2, false};
  if (text == "bar") return Beat{1, 1, true};
  const auto fraction = Fraction(text);
  if (!fraction) return std::nullopt;
  const int common = std::gcd(fraction->first, fraction->second);
  return Beat{fraction->first / common, fraction->second / common, false};
}

std::string BeatOption(const Beat& beat) {
  if (beat.bar) return "bar";
  return std::to_string(beat.numerator) + "/" + std::to_string(beat.denominator);
}

double BeatInSignatureUnits(const Beat& beat, TimeSignature signature) {
  if (beat.bar) return signature.count;
  return static_cast<double>(beat.numerator) * signature.unit / beat.denominator;
}

std::string BeatName(const Beat& beat) {
  if (beat.bar) return QT_TRANSLATE_NOOP("returnplot", "bar");
  static constexpr std::array<std::string_view, 6> kNames = {
      QT_TRANSLATE_NOOP("returnplot", "whole"),     QT_TRANSLATE_NOOP("returnplot", "half"),
      QT_TRANSLATE_NOOP("returnplot", "quarter"),   QT_TRANSLATE_NOOP("returnplot", "eighth"),
      QT_TRANSLATE_NOOP("returnplot", "sixteenth"), QT_TRANSLATE_NOOP("returnplot", "thirty-second")};
  // A dotted note is three of the next shorter: the dotted quarter is 3/8.
  static constexpr std::array<std::string_view, 6> kDotted = {"",
                                                              QT_TRANSLATE_NOOP("returnplot", "dotted whole"),
                                                              QT_TRANSLATE_NOOP("returnplot", "dotted half"),
                                                              QT_TRANSLATE_NOOP("returnplot", "dotted quarter"),
                                                              QT_TRANSLATE_NOOP("returnplot", "dotted eighth"),
                                                              QT_TRANSLATE_NOOP("returnplot", "dotted sixteenth")};
  for (std::size_t i = 0, d = 1; i < kNames.size(); ++i, d *= 2) {
    if (static_cast<std::size_t>(beat.denominator) != d) continue;
    if (beat.numerator == 1) return std::string(kNames[i]);
    if (beat.numerator == 3 && i > 0) return std::string(kDotted[i]);
  }
  return FormatText(QT_TRANSLATE_NOOP("returnplot", "%1/%2 note"),
                    {std::to_string(beat.numerator), std::to_string(beat.denominator)});
}

std::optional<TempoUnit> ParseTempoUnit(std::string_view text) {
  if (text == "ms") return TempoUnit::MsPerBeat;
  if (text == "bpm") return TempoUnit::Bpm;
  return std::nullopt;
}

double TempoInUnit(double msPerBeat, TempoUnit unit) {
  return unit == TempoUnit::Bpm ? 60000.0 / msPerBeat : msPerBeat;
}

std::string TempoLabel(TempoUnit unit, const Beat& beat) {
  return unit == TempoUnit::Bpm ? FormatText(QT_TRANSLATE_NOOP("returnplot", "BPM (%1)"), {BeatName(beat)})
                                : FormatText(QT_TRANSLATE_NOOP("returnplot", "ms per %1"), {BeatName(beat)});
}

namespace {

// Blanks and hyphens of a text as underscores, for a CSV header.
std::string ColumnName(std::string text) {
  for (char& c : text) {
    if (c == ' ' || c == '-') c = '_';
  }
  return text;
}

}  // namespace

std::string TempoColumnName(TempoUnit unit, const Beat& beat) {
  return ColumnName((unit == TempoUnit::Bpm ? "bpm " : "ms per ") + BeatName(beat));
}

std::string PositionColumnName(const Beat& beat) { return ColumnName("position " + BeatName(beat) + "s"); }

}  // namespace rp
