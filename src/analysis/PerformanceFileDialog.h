// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the file dialogs of performances offer.

#include <string>

#include "frontend/Dialogs.h"

namespace rp {

// The file dialog of performance files under `title`: "All performances"
// (every kind the loader reads) first, then ASCII MIDI listings (*.txt),
// MIDI files, match files, lists of times, recordings and all files.
OpenFileRequest PerformanceFileRequest(std::string title);

}  // namespace rp
