// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program looks for its data files: the folder the scatter-file
// dialog opens in, and the prefix for data files named without a folder.

#include <string>

namespace rp {

// `path` with exactly one "/" added when it does not already end in one
// (an empty path gives "/").
std::string WithTrailingSlash(std::string path);

// The folder of the bundled examples, found from the running executable:
// <folder of the executable>/../share/returnplot/ both in the build tree and
// after installation (from the desktop program in lib/returnplot/,
// ../../share/returnplot/). Empty when the executable cannot be located.
std::string ProgramDataFolder();

// The current folder when a file `fileName` is there, otherwise the program's
// data folder (the current folder when even that is unknown). The file is not
// opened, and its presence in the data folder is not checked. Always ends in "/".
std::string FindMediaFolder(const std::string& fileName);

}  // namespace rp
