// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DesktopProgram.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <ostream>

#include "app/CommandLine.h"

namespace rp {

std::string DesktopProgramPath(const std::string& self) {
  const std::size_t slash = self.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : self.substr(0, slash);
  return folder + "/" + RP_DESKTOP_FROM_BIN;
}

int StartDesktopProgram(char** argv, std::ostream& err) {
  // The program's own file, not argv[0]: it may have been started through
  // PATH or a link.
  char self[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) {
    err << "returnplot: cannot find the program's own file: " << std::strerror(errno) << '\n';
    return kExitNoDesktop;
  }
  const std::string path = DesktopProgramPath({self, static_cast<std::size_t>(n)});
  err.flush();
  ::execv(path.c_str(), argv);
  err << "returnplot: cannot start " << path << ": " << std::strerror(errno) << '\n';
  return kExitNoDesktop;
}

}  // namespace rp
