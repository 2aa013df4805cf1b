// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BundledExample.h"

#include <filesystem>
#include <system_error>

namespace rp {

std::string BundledExamplePath() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return (self.parent_path().parent_path() / RP_DATA_SUBDIR / "performance.txt").string();
}

}  // namespace rp
