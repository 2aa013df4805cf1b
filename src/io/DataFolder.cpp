// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/DataFolder.h"

#include <filesystem>
#include <system_error>

#ifndef RP_DATA_FROM_BIN
#define RP_DATA_FROM_BIN "../share/returnplot"
#endif
#ifndef RP_DATA_FROM_DESKTOP
#define RP_DATA_FROM_DESKTOP "../../share/returnplot"
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
  // The command-line program and the tests run from bin/, the desktop
  // program from lib/returnplot/.
  const fs::path fromBin = (exe.parent_path() / RP_DATA_FROM_BIN).lexically_normal();
  const fs::path fromDesktop = (exe.parent_path() / RP_DATA_FROM_DESKTOP).lexically_normal();
  std::error_code statError;
  const bool desktop = !fs::is_directory(fromBin, statError) && fs::is_directory(fromDesktop, statError);
  return WithTrailingSlash((desktop ? fromDesktop : fromBin).string());
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
