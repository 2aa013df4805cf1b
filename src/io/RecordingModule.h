// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recording module (io/RecordingModuleAbi.h), loaded the first time one
// of its functions is asked for.

#include <string>

namespace rp {

// The module's exported function `symbol`; nullptr, with `error` saying why
// for the user, when the module is not there, cannot be loaded or is of
// another version.
void* RecordingModuleFunction(const char* symbol, std::string& error);

// Where to look for the module first, for code that runs inside another
// program (the Python module, whose running program is the interpreter);
// only a call before the first recording is read counts.
void UseRecordingModuleAt(std::string path);

}  // namespace rp
