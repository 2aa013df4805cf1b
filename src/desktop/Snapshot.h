// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The --snapshot run: the windows as at start-up, one frame, a PNG.

#include "app/SnapshotOptions.h"

namespace rp {

// Needs a QApplication. Messages go to stderr, one line each; error messages
// make the exit status 1, and so does a PNG that cannot be written.
int RunSnapshot(const SnapshotOptions& options);

}  // namespace rp
