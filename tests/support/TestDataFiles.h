// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files committed in tests/data/ (for the test programs, which know the
// folder as RP_TEST_DATA_DIR): the good ones, and the bad inputs in data/bad/.

#include <string>

namespace rp::test {

inline const std::string kBadData = RP_TEST_DATA_DIR "/bad/";

inline std::string DataFile(const char* name) { return std::string(RP_TEST_DATA_DIR) + "/" + name; }

}  // namespace rp::test
