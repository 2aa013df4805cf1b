// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The example performance installed with the program.

#include <string>

namespace rp {

// `<prefix>/share/returnplot/performance.txt` next to the running program's
// `<prefix>/bin`; empty when the program's own path is unknown.
std::string BundledExamplePath();

}  // namespace rp
