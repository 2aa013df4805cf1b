#pragma once
// The program's data folder and the example performance installed there.

#include <string>

namespace rp {

// The program's data folder, `<prefix>/share/returnplot` next to the running
// program's `<prefix>/bin`; empty when the program's own path is unknown.
std::string ProgramDataDir();

// `performance.txt` in the data folder; empty when that is unknown.
std::string BundledExamplePath();

}  // namespace rp
