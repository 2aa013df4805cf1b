// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/ArgbColour.h"

#include <cmath>

namespace rp {

namespace {

// One channel times 255, halves to even. Out-of-range results are kept (they
// spill into the neighbouring bytes) but bounded so the conversion is defined;
// a NaN channel counts as 0.
std::int64_t ChannelTimes255(float channel) {
  const double scaled = std::nearbyint(static_cast<double>(channel) * 255.0);
  if (std::isnan(scaled)) return 0;
  constexpr double kBound = 4294967296.0;  // 2^32: nothing beyond survives the final truncation
  if (scaled > kBound) return static_cast<std::int64_t>(kBound);
  if (scaled < -kBound) return -static_cast<std::int64_t>(kBound);
  return static_cast<std::int64_t>(scaled);
}

}  // namespace

ColourF ColourFromArgb(std::int32_t argb) {
  const auto bits = static_cast<std::uint32_t>(argb);
  auto channel = [bits](int shift) { return static_cast<float>(static_cast<double>((bits >> shift) & 0xFFu) / 255.0); };
  return ColourF{channel(16), channel(8), channel(0), channel(24)};
}

std::int32_t ColourToArgb(const ColourF& value) {
  // Two's complement arithmetic on 64 bits: multiplying by the byte's weight
  // and ORing reproduces the spill of out-of-range channels; the low 32 bits
  // are the packed colour.
  const std::int64_t a = ChannelTimes255(value.a) * (std::int64_t{1} << 24);
  const std::int64_t r = ChannelTimes255(value.r) * (std::int64_t{1} << 16);
  const std::int64_t g = ChannelTimes255(value.g) * (std::int64_t{1} << 8);
  const std::int64_t b = ChannelTimes255(value.b);
  const auto packed = static_cast<std::uint64_t>(a | r | g | b);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(packed & 0xFFFFFFFFu));
}

}  // namespace rp
