// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The --snapshot run: the windows as at start-up, one frame, a picture.

#include <iosfwd>

#include "app/SnapshotOptions.h"

namespace rp {

// Before the QApplication is made: the inputs are checked (a file that
// cannot be opened: one line on `err`, kExitCannotOpen; an event or tail
// outside the performance's events: one line, kExitUsage) and, for --width
// or --height, the desktop is scaled so that the window's client area has
// that many pixels. 0 when the snapshot can go on.
int PrepareSnapshot(const SnapshotOptions& options, std::ostream& err);

// Needs a QApplication. Messages go to stderr, one line each; an error
// message, or a picture that cannot be written, makes the exit status 1. The picture is
// written only when nothing went wrong, through a temporary file renamed
// into place, so a failed run leaves an earlier picture as it was.
int RunSnapshot(const SnapshotOptions& options);

}  // namespace rp
