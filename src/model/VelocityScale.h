// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How loud a replay plays the recorded velocities: each note-on's velocity is
// multiplied by a scale. What a performance was recorded with decides the
// scale unless the user fixes one: the ASCII MIDI listings of other programs
// (the recorder this program grew from among them) hold velocities meant to
// be replayed 1.5 times louder; this program's own listings, Standard MIDI
// Files and every other kind hold them as played.

#include <optional>
#include <string>
#include <string_view>

namespace rp {

struct Performance;

// The scale of an ASCII MIDI listing this program did not write.
inline constexpr double kOtherListingVelocityScale = 1.5;
inline constexpr double kMinVelocityScale = 0.25;
inline constexpr double kMaxVelocityScale = 4.0;

// The user's choice: by each performance's provenance, or one fixed scale.
struct VelocityScaleChoice {
  std::optional<double> fixed;  // nothing: by provenance

  bool operator==(const VelocityScaleChoice&) const = default;
};

// False for NaN and everything outside the limits.
bool IsValidVelocityScale(double scale);

// "auto" (by provenance), or a scale within the limits, with or without a
// trailing "x" ("1", "1.5x"); nothing for any other text.
std::optional<VelocityScaleChoice> ParseVelocityScale(std::string_view text);
// The stored form ParseVelocityScale reads back: "auto" or the shortest number.
std::string VelocityScaleSetting(const VelocityScaleChoice& choice);

// The scale a replay of `performance` uses under `choice`.
double VelocityScaleInUse(const Performance& performance, const VelocityScaleChoice& choice);
// What the control panel shows of it, e.g. "x1.5 (listing of another
// program)", "x1 (as played)", "x1.2 (chosen)".
std::string VelocityScaleText(const Performance& performance, const VelocityScaleChoice& choice);

}  // namespace rp
