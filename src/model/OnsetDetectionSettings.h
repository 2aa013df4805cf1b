// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the onsets of a recording are found: the detection function, its peak
// threshold, the silence gate and the shortest time between two onsets. They
// belong to the analysis settings; a performance read from MIDI ignores them.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace rp {

// The detection functions, named on the command line and in the stored
// settings as the detector library names them.
enum class OnsetMethod { Energy, Hfc, Complex, Phase, WPhase, SpecDiff, Kl, Mkl, SpecFlux };
inline constexpr std::array<OnsetMethod, 9> kOnsetMethods = {
    OnsetMethod::Energy,   OnsetMethod::Hfc, OnsetMethod::Complex, OnsetMethod::Phase,   OnsetMethod::WPhase,
    OnsetMethod::SpecDiff, OnsetMethod::Kl,  OnsetMethod::Mkl,     OnsetMethod::SpecFlux};

// The defaults serve solo piano: spectral flux finds soft notes under
// sustained ones best of aubio's functions, and at 0.4 it finds few onsets
// that were not played (see the accuracy table in the README).
struct OnsetDetectionSettings {
  OnsetMethod method = OnsetMethod::SpecFlux;
  // Peak-picking threshold of the detection function; lower finds more.
  double threshold = 0.4;
  // Frames quieter than this (dB relative to full scale) hold no onset.
  double silenceDb = -70.0;
  // Two onsets are at least this far apart.
  double minIoiMs = 20.0;

  bool operator==(const OnsetDetectionSettings&) const = default;
};

inline constexpr double kMinOnsetThreshold = 0.001;
inline constexpr double kMaxOnsetThreshold = 10.0;
inline constexpr double kMinSilenceDb = -120.0;
inline constexpr double kMaxSilenceDb = 0.0;
inline constexpr double kMinOnsetIoiMs = 0.0;
inline constexpr double kMaxOnsetIoiMs = 1000.0;

// False for NaN and everything outside the limits.
bool IsValidOnsetThreshold(double threshold);
bool IsValidSilenceDb(double db);
bool IsValidOnsetIoi(double ms);

// "hfc", "specflux", ...
std::string_view OnsetMethodName(OnsetMethod method);
std::optional<OnsetMethod> OnsetMethodNamed(std::string_view name);
// Every name, in the order of the enumeration, separated by ", ".
std::string OnsetMethodNames();

}  // namespace rp
