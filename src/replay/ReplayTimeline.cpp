// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/ReplayTimeline.h"

#include <algorithm>
#include <cmath>

namespace rp {

namespace {
constexpr double kNsPerMs = 1e6;
// Far beyond any performance (about 126 years), yet safe from overflow.
constexpr double kLimitNs = 4e18;
}  // namespace

void ReplayTimeline::Start(Time now, double positionMs, double factor) {
  anchorTime_ = now;
  anchorMs_ = std::isfinite(positionMs) ? positionMs : 0.0;
  factor_ = factor;
}

void ReplayTimeline::ChangeFactor(Time now, double factor) {
  anchorMs_ = PositionAt(now);
  anchorTime_ = now;
  factor_ = factor;
}

ReplayTimeline::Time ReplayTimeline::Due(double messageMs) const {
  if (!std::isfinite(messageMs)) messageMs = messageMs > 0 ? kLimitNs : 0.0;
  double ns = static_cast<double>(anchorTime_.count()) + (messageMs - anchorMs_) * kNsPerMs / factor_;
  ns = std::clamp(ns, -kLimitNs, kLimitNs);
  return Time(static_cast<Time::rep>(std::llround(ns)));
}

double ReplayTimeline::PositionAt(Time now) const {
  return anchorMs_ + static_cast<double>((now - anchorTime_).count()) / kNsPerMs * factor_;
}

}  // namespace rp
