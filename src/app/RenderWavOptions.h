// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `returnplot --render-wav OUT.wav [--speed F] [--velocity-scale auto|S]
// FILE`: the options of a replay rendered into a WAV file.

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/VelocityScale.h"

namespace rp {

struct RenderWavOptions {
  std::string output;  // the WAV file to write
  std::string file;    // the performance
  double tempoFactor = 1.0;
  VelocityScaleChoice velocityScale;
};

inline constexpr std::string_view kRenderWavUsage = "OUT.wav [--speed F] [--velocity-scale auto|S] FILE";

// The arguments after "--render-wav", in any order. On a usage error (OUT not
// a .wav file, or FILE itself, among them): one line on `err` and nothing.
std::optional<RenderWavOptions> ParseRenderWavOptions(const std::vector<std::string>& args, std::ostream& err);

}  // namespace rp
