// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/RtMidiSystem.h"

#include <unistd.h>

namespace rp {

bool AlsaSequencerPresent() { return ::access("/dev/snd/seq", F_OK) == 0; }

void KeepRtMidiError(RtMidiError::Type type, const std::string& text, void* user) {
  if (type == RtMidiError::WARNING || type == RtMidiError::DEBUG_WARNING) return;
  *static_cast<std::string*>(user) = text;
}

void KeepRtMidiErrorOrWarning(RtMidiError::Type /*type*/, const std::string& text, void* user) {
  *static_cast<std::string*>(user) = text;
}

}  // namespace rp
