// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Variables of this process's environment set for a while, so that clients
// in the test process reach a private server: Set() keeps each variable's old
// value the first time it is set, Restore() (or the destructor) puts them back.

#include <map>
#include <string>

namespace rp::test {

class EnvironmentOverride {
 public:
  EnvironmentOverride() = default;
  ~EnvironmentOverride() { Restore(); }
  EnvironmentOverride(const EnvironmentOverride&) = delete;
  EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

  void Set(const std::map<std::string, std::string>& values);
  void Restore();

 private:
  std::map<std::string, std::string> saved_;  // "" for a variable that was not set
};

}  // namespace rp::test
