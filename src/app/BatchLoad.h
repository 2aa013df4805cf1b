// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every batch command that works on one performance file shares: the
// argument check and the load, exactly as the control panel loads a file.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace rp {

struct Performance;

// Exit status for a command given the wrong arguments.
inline constexpr int kExitUsage = 64;

// Loads the single FILE in `args` into `performance`, as the control panel
// loads its first file. On failure prints one line on `err` and sets `status`
// (usage error or `kExitCannotOpen`); returns whether the performance is loaded.
bool LoadForBatch(std::string_view flag, const std::vector<std::string>& args, Performance& performance,
                  std::ostream& err, int& status);

// The same with `--cluster-ms MS` and `--delay D` taken out of `args` first
// into the performance's settings (a bad value: one line, usage error).
bool LoadAnalysedForBatch(std::string_view flag, const std::vector<std::string>& args, Performance& performance,
                          std::ostream& err, int& status);

// The same for a path already taken from the command line, with the
// performance's settings; `noteOns`, when given, receives the number of
// note-ons loaded.
bool LoadFileForBatch(const std::string& path, Performance& performance, std::ostream& err, int& status,
                      std::int64_t* noteOns = nullptr);

}  // namespace rp
