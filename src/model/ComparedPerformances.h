// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The performances shown beside the main one for comparison, in the order
// they were added: the same piece by other players, or the same player on
// other days. Each is analysed with the main one's settings; the plot draws each in a colour of its own.

#include <cstddef>
#include <string>
#include <vector>

#include "model/Performance.h"

namespace rp {

// The plot shows at most this many performances: the main one and 7 compared.
inline constexpr std::size_t kMaxShownPerformances = 8;
inline constexpr std::size_t kMaxComparedPerformances = kMaxShownPerformances - 1;

using ComparedPerformances = std::vector<Performance>;

// The file name without its folders, as the legend and the hover label show it.
std::string PerformanceDisplayName(const Performance& performance);

}  // namespace rp
