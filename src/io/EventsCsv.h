// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The analysed events of a performance as CSV, one row per onset event
// (`--export-events` and the window's "Export events as CSV...").

#include <iosfwd>

namespace rp {

struct Performance;

// Events and notes numbered from 1; a performance aligned to its score also
// gets each event's score place and tempo.
void WriteEventsCsv(const Performance& performance, std::ostream& out);

}  // namespace rp
