// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/VelocityScale.h"

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "model/FactorText.h"
#include "model/Performance.h"
#include "model/ShortestNumber.h"

namespace rp {

bool IsValidVelocityScale(double scale) { return scale >= kMinVelocityScale && scale <= kMaxVelocityScale; }

std::optional<VelocityScaleChoice> ParseVelocityScale(std::string_view text) {
  if (text == "auto") return VelocityScaleChoice{};
  const std::optional<double> scale = ParseFactorText(text, kMinVelocityScale, kMaxVelocityScale);
  if (!scale) return std::nullopt;
  return VelocityScaleChoice{scale};
}

std::string VelocityScaleSetting(const VelocityScaleChoice& choice) {
  return choice.fixed ? ShortestNumber(*choice.fixed) : "auto";
}

double VelocityScaleInUse(const Performance& performance, const VelocityScaleChoice& choice) {
  return choice.fixed.value_or(performance.provenanceVelocityScale);
}

std::string VelocityScaleText(const Performance& performance, const VelocityScaleChoice& choice) {
  const std::string scale = ShortestNumber(VelocityScaleInUse(performance, choice));
  if (choice.fixed) return FormatText(QT_TRANSLATE_NOOP("returnplot", "x%1 (chosen)"), {scale});
  if (performance.provenanceVelocityScale != 1.0) {
    return FormatText(QT_TRANSLATE_NOOP("returnplot", "x%1 (listing of another program)"), {scale});
  }
  return FormatText(QT_TRANSLATE_NOOP("returnplot", "x%1 (as played)"), {scale});
}

}  // namespace rp
