// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the windows are doing, in one place: idle, loading a file, opening the
// output for a replay, replaying, recording a take, closing, closed. Every
// button, menu item, shortcut and timer asks here before it acts, and every
// change goes through MoveTo, which refuses a change that does not fit: so a
// click that comes while something else runs is refused, never nested into
// it.
//
//   Idle          -> Loading, OpeningOutput, Recording, Closing
//   Loading       -> Idle, Closing
//   OpeningOutput -> Replaying, Idle, Closing
//   Replaying     -> Idle, Closing
//   Recording     -> Idle, Closing
//   Closing       -> Closed

#include <functional>

namespace rp {

enum class ProgramState { Idle, Loading, OpeningOutput, Replaying, Recording, Closing, Closed };

// What the user (or a timer) asks for.
enum class UserAction {
  Play,           // the play button, the space bar
  Stop,           // the stop button (a replay, or a take)
  CancelLoad,     // the progress window's Cancel
  OpenFile,       // a new main file, compared files, a take; stops a replay first
  ChangeView,     // the time slider, a double-click on a point, another output, new analysis settings,
                  // removing compared performances, a scatter file; stops a replay first
  ChooseValues,   // Timing or Velocity, the speed and tail-length sliders
  RecordingTick,  // the recording's timer
  Close,          // the window's close, Quit, a signal, a fatal error
};

class ProgramStates {
 public:
  ProgramState Current() const { return state_; }
  bool Is(ProgramState state) const { return state_ == state; }
  // Whether `action` fits the current state.
  bool Allows(UserAction action) const;
  // Whether the change from the current state to `next` is allowed.
  bool CanMoveTo(ProgramState next) const;
  // Changes to `next` when allowed (and tells the listener); false, with
  // nothing changed, when not. Moving to the current state is allowed and
  // changes nothing.
  bool MoveTo(ProgramState next);
  // Called after every change, with the new state.
  void SetListener(std::function<void(ProgramState)> listener) { listener_ = std::move(listener); }

 private:
  ProgramState state_ = ProgramState::Idle;
  std::function<void(ProgramState)> listener_;
};

}  // namespace rp
