// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot's two looks: the dark one of the screen (the default) and a light
// one for print: a white background, dark text and axes, and for the
// performances the Okabe-Ito colours, which readers with the common colour
// vision deficiencies tell apart.

#include <optional>
#include <string_view>

#include "scene/SceneDescription.h"

namespace rp {

enum class PlotTheme { Dark, Light };

// "dark" or "light".
std::optional<PlotTheme> PlotThemeFromName(std::string_view name);

// The frame described in the dark look, recoloured for `theme`: every
// colour the plot draws in its dark look gets its light counterpart (the
// main performance's blue, the compared performances' colours, the lines,
// axes, labels and texts, the background); the colour bar's ramp stays.
void ApplyTheme(PlotTheme theme, SceneDescription& scene);

}  // namespace rp
