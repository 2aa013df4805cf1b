// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `returnplot --export-notes FILE`: the note events as read, with the cluster
// each opening note-on starts, as CSV.

#include <iosfwd>
#include <string>
#include <vector>

namespace rp {

int ExportNotes(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rp
