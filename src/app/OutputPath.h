// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An output file named on the command line, checked before a command writes
// anything: its extension must be one its command writes, so that swapped
// arguments are refused, and it must be none of the command's inputs under
// any name, so that an output never destroys what it was made from.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace rp {

// The extension of `path` in lower case, with its dot (".png"); "" for none.
std::string LowerExtension(const std::string& path);

// "" when `output` may be written by `flag`: its extension is one of
// `extensions` (lower case, with the dot; any case in the name) and it is
// not the same file as any of `inputs`. Otherwise one line for the user.
std::string OutputPathProblem(std::string_view flag, const std::string& output,
                              std::initializer_list<std::string_view> extensions,
                              const std::vector<std::string>& inputs);

}  // namespace rp
