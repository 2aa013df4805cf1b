// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/DataFolder.h"

#include <filesystem>
#include <system_error>

#ifndef RP_DATA_FROM_BIN
#define RP_DATA_FROM_BIN "../share/returnplot"
#endif

namespace rp {

namespace fs = std::filesystem;

std::string WithTrailingSlash(std::string path) {
  if (path.empty() || path.back() != '/') path.push_back('/');
  return path;
}

std::string ProgramDataFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) return {};
  return WithTrailingSlash((exe.parent_path() / RP_DATA_FROM_BIN).lexically_normal().string());
}

std::string FindMediaFolder(const std::string& fileName) {
  std::error_code cwdError;
  const fs::path current = fs::current_path(cwdError);
  std::error_code statError;
  if (!cwdError && !fileName.empty() && fs::is_regular_file(current / fileName, statError)) {
    return WithTrailingSlash(current.string());
  }
  std::string data = ProgramDataFolder();
  if (!data.empty()) return data;
  return cwdError ? std::string("./") : WithTrailingSlash(current.string());
}

}  // namespace rp
