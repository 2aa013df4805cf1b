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
struct LoadResult;

// `--strict`: a line skipped by the load is an error (exit status
// `kExitCannotOpen`) rather than a warning on stderr.
inline constexpr std::string_view kStrictOption = "--strict";

// Takes every `--strict` out of `args`; whether there was one.
bool TakeStrictOption(std::vector<std::string>& args);

// Exit status for a command given the wrong arguments.
inline constexpr int kExitUsage = 64;

// Loads the single FILE in `args` (with `--strict` if given) into
// `performance`, as the control panel loads its first file. On failure
// prints one line on `err` and sets `status` (usage error or
// `kExitCannotOpen`); returns whether the performance is loaded.
bool LoadForBatch(std::string_view flag, const std::vector<std::string>& args, Performance& performance,
                  std::ostream& err, int& status);

// The same with `--cluster-ms MS` and `--delay D` taken out of `args` first
// into the performance's settings (a bad value: one line, usage error).
bool LoadAnalysedForBatch(std::string_view flag, const std::vector<std::string>& args, Performance& performance,
                          std::ostream& err, int& status);

// The same for a path already taken from the command line, with the
// performance's settings; `loaded`, when given, receives what the load said.
// What the load skipped is one line on `err`, or with `strict` the failure.
bool LoadFileForBatch(const std::string& path, Performance& performance, std::ostream& err, int& status,
                      LoadResult* loaded = nullptr, bool strict = false);

}  // namespace rp
