// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScriptedMidiInput.h"

namespace rp {

std::optional<MidiFailure> ScriptedMidiInput::Open(int index, MidiInputHandler handler) {
  Close();
  if (openFailure_) return openFailure_;
  if (index < 0 || index >= static_cast<int>(names_.size()))
    return MidiFailure{MidiError::NoSuchInput, "no such input"};
  std::lock_guard lock(mutex_);
  handler_ = std::move(handler);
  open_ = index;
  return std::nullopt;
}

void ScriptedMidiInput::Close() {
  std::lock_guard lock(mutex_);
  handler_ = nullptr;
  open_.reset();
}

bool ScriptedMidiInput::Deliver(std::vector<std::uint8_t> bytes, std::int64_t timeUs) {
  std::lock_guard lock(mutex_);
  if (!handler_) return false;
  handler_(bytes, timeUs);
  return true;
}

}  // namespace rp
