#include "app/BundledExample.h"

#include <filesystem>
#include <system_error>

namespace rp {

std::string ProgramDataDir() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return (self.parent_path().parent_path() / RP_DATA_SUBDIR).string();
}

std::string BundledExamplePath() {
  const std::string dir = ProgramDataDir();
  if (dir.empty()) return {};
  return (std::filesystem::path(dir) / "performance.txt").string();
}

}  // namespace rp
