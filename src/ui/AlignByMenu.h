// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Align compared by" in the View menu: event number, relative position or
// score position, one of them checked: the alignment the plot uses now.
// Score position is offered only while every shown performance is aligned
// to the score of the same piece (otherwise disabled with a tooltip saying
// why). A choice is kept for later runs and the plot rebuilt.

#include <functional>

class QMenu;

namespace rp {

struct ViewState;

// Adds the submenu to `menu`. `rebuild` redraws the points after a choice.
void AddAlignByMenu(QMenu& menu, ViewState& state, std::function<void()> rebuild);

}  // namespace rp
