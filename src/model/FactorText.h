// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A factor as users write it on the command line: a number, with or without
// a trailing "x" ("2", "2x", "0.5", "1.5x").

#include <optional>
#include <string_view>

namespace rp {

// The factor `text` gives when it lies from `min` to `max`; nothing for any
// other text.
std::optional<double> ParseFactorText(std::string_view text, double min, double max);

}  // namespace rp
