// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `returnplot --export-onsets FILE`: every onset found in a recording, before
// onsets are grouped into events, as CSV: its time in ms, the detection
// function's strength and its loudness in dB.

#include <iosfwd>
#include <string>
#include <vector>

namespace rp {

int ExportOnsets(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rp
