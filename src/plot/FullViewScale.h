// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scale of a performance's plot and what the full view shows, made when
// the points are made anew from the performance (a load, other values or
// settings), never during a replay: the tails drawn meanwhile keep it.

namespace rp {

struct Performance;
struct ViewState;

// With the full view's points (all events of the main and the compared
// performances) in place: the one scale of all three axes from all of them
// and the unit of their values; then only the chosen event range is kept
// and, with one performance shown and colours by time chosen, the points
// are coloured from early to late. The scene fields are written
// (ScaleGraph).
void ScaleFullView(ViewState& state, const Performance& performance);

}  // namespace rp
