// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `returnplot --export-events FILE`: the analysed events as CSV, one row per
// onset cluster.

#include <iosfwd>
#include <string>
#include <vector>

namespace rp {

int ExportEvents(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rp
