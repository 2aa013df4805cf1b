// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a session announces to the views that show it. Each change names
// what to read again from the session; the session's state has changed
// before the announcement is made, so a view reads what it announces.

namespace rp {

enum class SessionChange {
  Points,         // the performances shown changed (a load, compared ones, new settings): the points anew
  Tail,           // the current event moved during a replay or a take: its tail anew
  ValuesChosen,   // Timing, Velocity or Tempo chosen: the points anew in the new values
  ValuesOffered,  // which value kinds can be chosen, and why not, changed
  Position,       // the current event, the event count or the time display changed
  TailLength,     // the tail's length changed
  Speed,          // the replay speed changed
  Devices,        // the list of outputs or the chosen one changed
  VelocityScale,  // the replay's velocity scale, or the scale it plays the main performance at, changed
  State,          // the program's state changed (idle, loading, replaying, recording, ...)
  BorderFixed,    // the plot's border is fixed (during a replay) or sizable again
  Settings,       // the analysis settings changed and the performances were analysed again: the points anew
                  // as they were shown (a tail stays the tail of the current event)
};

}  // namespace rp
