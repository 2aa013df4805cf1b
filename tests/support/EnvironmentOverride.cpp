// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/EnvironmentOverride.h"

#include <cstdlib>

namespace rp::test {

void EnvironmentOverride::Set(const std::map<std::string, std::string>& values) {
  for (const auto& [name, value] : values) {
    if (!saved_.count(name)) {
      const char* old = std::getenv(name.c_str());
      saved_[name] = old != nullptr ? old : "";
    }
    ::setenv(name.c_str(), value.c_str(), 1);
  }
}

void EnvironmentOverride::Restore() {
  for (const auto& [name, value] : saved_) {
    if (value.empty())
      ::unsetenv(name.c_str());
    else
      ::setenv(name.c_str(), value.c_str(), 1);
  }
  saved_.clear();
}

}  // namespace rp::test
