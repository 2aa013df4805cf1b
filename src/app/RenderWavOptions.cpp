// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RenderWavOptions.h"

#include <ostream>

#include "app/OutputPath.h"
#include "replay/TempoMapping.h"

namespace rp {

std::optional<RenderWavOptions> ParseRenderWavOptions(const std::vector<std::string>& args, std::ostream& err) {
  RenderWavOptions parsed;
  const auto usage = [&err] {
    err << "returnplot: usage: returnplot --render-wav " << kRenderWavUsage << '\n';
    return std::nullopt;
  };
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a != "--speed" && a != "--velocity-scale") {
      positional.push_back(a);
      continue;
    }
    if (i + 1 == args.size()) return usage();
    const std::string& text = args[++i];
    if (a == "--speed") {
      const std::optional<double> factor = ParseTempoFactor(text);
      if (!factor) {
        err << "returnplot: --speed takes the tempo factor from " << kMinTempoFactor << " to " << kMaxTempoFactor
            << " (2 or 2x plays twice as fast), not \"" << text << "\"\n";
        return std::nullopt;
      }
      parsed.tempoFactor = *factor;
    } else {
      const std::optional<VelocityScaleChoice> scale = ParseVelocityScale(text);
      if (!scale) {
        err << "returnplot: --velocity-scale takes auto or a factor from " << kMinVelocityScale << " to "
            << kMaxVelocityScale << ", not \"" << text << "\"\n";
        return std::nullopt;
      }
      parsed.velocityScale = *scale;
    }
  }
  if (positional.size() != 2) return usage();
  parsed.output = positional[0];
  parsed.file = positional[1];
  if (const std::string problem = OutputPathProblem("--render-wav", parsed.output, {".wav"}, {parsed.file});
      !problem.empty()) {
    err << "returnplot: " << problem << '\n';
    return std::nullopt;
  }
  return parsed;
}

}  // namespace rp
