// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The beat that tempo is counted in: the note value a performance's score
// counts by its time signature, or one the user chooses, and how the texts
// that show tempo name it ("ms per dotted quarter", "BPM (quarter)").
//
// The beat of a time signature N/D: in a compound meter (N a multiple of 3,
// at least 6: 6/8, 9/8, 12/8, 6/4, 12/16) three D notes, a dotted note (6/8:
// a dotted quarter); in every other meter the D note (2/4, 3/4, 4/4: a
// quarter; 2/2: a half; 3/8: an eighth). Odd meters (5/8, 7/8, 5/4) count in
// their D note too: their groups of two and three are not in the signature.

#include <optional>
#include <string>
#include <string_view>

namespace rp {

// A time signature: `count` notes of 1/`unit` a bar.
struct TimeSignature {
  int count = 4;
  int unit = 4;
  bool operator==(const TimeSignature&) const = default;
};

// "6/8" (blanks around the numbers allowed); nothing for any other text.
std::optional<TimeSignature> ParseTimeSignature(std::string_view text);

// A beat: `numerator`/`denominator` of a whole note (3/8 a dotted quarter),
// or a whole bar of the performance's time signature.
struct Beat {
  int numerator = 1;
  int denominator = 4;
  bool bar = false;
  bool operator==(const Beat&) const = default;
};

Beat BeatOfTimeSignature(TimeSignature signature);

// `--beat`: quarter, eighth, dotted-quarter, half, bar, or N/D of a whole
// note (3/8, 1/16); nothing for any other text.
std::optional<Beat> ParseBeat(std::string_view text);

// The text --beat takes for `beat` ("dotted-quarter", "bar", "5/16"), so
// ParseBeat(BeatOption(b)) == b.
std::string BeatOption(const Beat& beat);

// The beat's length in notes of the signature's unit (a dotted quarter in
// 6/8 is 3 eighths, a bar of 3/4 is 3 quarters).
double BeatInSignatureUnits(const Beat& beat, TimeSignature signature);

// "quarter", "dotted quarter", "eighth", "half", "bar", "5/16 note", ...
std::string BeatName(const Beat& beat);

enum class TempoUnit { MsPerBeat, Bpm };

// "ms" or "bpm"; nothing for any other text.
std::optional<TempoUnit> ParseTempoUnit(std::string_view text);

// A beat period in `unit`: ms as it is, or beats per minute.
double TempoInUnit(double msPerBeat, TempoUnit unit);

// What an axis, caption or export calls tempo in `unit`: "ms per dotted
// quarter", "BPM (quarter)".
std::string TempoLabel(TempoUnit unit, const Beat& beat);

// The same as a CSV header: "ms_per_dotted_quarter", "bpm_quarter".
std::string TempoColumnName(TempoUnit unit, const Beat& beat);

// The header of a score position counted in beats: "position_dotted_quarters".
std::string PositionColumnName(const Beat& beat);

}  // namespace rp
