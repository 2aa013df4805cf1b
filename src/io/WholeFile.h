// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A text file read whole into memory, for the readers that parse a file in
// one piece (match files, lists of times).

#include <cstdint>
#include <string>

namespace rp {

// The bytes of `path`, or false with the reason for the user in `why` ("the
// file cannot be opened", or that it is larger than `maxBytes`).
bool ReadWholeFile(const std::string& path, std::uintmax_t maxBytes, std::string& bytes, std::string& why);

}  // namespace rp
