// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An onset event's interval0/1/2 and velocity0/1/2 as tests compare them:
// nothing for an undefined value (a NaN, which equals nothing).

#include <optional>
#include <vector>

#include "model/Performance.h"

namespace rp::test {

using EventFields = std::vector<std::optional<double>>;
inline constexpr std::nullopt_t kNone = std::nullopt;

inline EventFields FieldsOf(const OnsetEvent& e) {
  EventFields out;
  for (double v : {e.interval0, e.interval1, e.interval2, e.velocity0, e.velocity1, e.velocity2})
    out.push_back(IsDefined(v) ? std::optional<double>(v) : kNone);
  return out;
}

}  // namespace rp::test
