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

}  // namespace rp
