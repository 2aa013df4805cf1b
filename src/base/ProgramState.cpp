// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ProgramState.h"

namespace rp {

bool ProgramStates::Allows(UserAction action) const {
  using S = ProgramState;
  const bool replayOrIdle = state_ == S::Idle || state_ == S::OpeningOutput || state_ == S::Replaying;
  switch (action) {
    case UserAction::Play:
      return state_ == S::Idle;
    case UserAction::Stop:
      return state_ == S::OpeningOutput || state_ == S::Replaying || state_ == S::Recording;
    case UserAction::CancelLoad:
      return state_ == S::Loading;
    case UserAction::OpenFile:
    case UserAction::ChangeView:
      return replayOrIdle;
    case UserAction::ChooseValues:
      return state_ != S::Closing && state_ != S::Closed;
    case UserAction::RecordingTick:
      return state_ == S::Recording;
    case UserAction::Close:
      return state_ != S::Closing && state_ != S::Closed;
  }
  return false;
}

bool ProgramStates::CanMoveTo(ProgramState next) const {
  using S = ProgramState;
  if (next == state_) return true;
  switch (state_) {
    case S::Idle:
      return next == S::Loading || next == S::OpeningOutput || next == S::Recording || next == S::Closing;
    case S::Loading:
    case S::Replaying:
    case S::Recording:
      return next == S::Idle || next == S::Closing;
    case S::OpeningOutput:
      return next == S::Replaying || next == S::Idle || next == S::Closing;
    case S::Closing:
      return next == S::Closed;
    case S::Closed:
      return false;
  }
  return false;
}

bool ProgramStates::MoveTo(ProgramState next) {
  if (!CanMoveTo(next)) return false;
  if (next == state_) return true;
  state_ = next;
  if (listener_) listener_(state_);
  return true;
}

}  // namespace rp
