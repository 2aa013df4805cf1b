// SPDX-License-Identifier: GPL-3.0-or-later
#include "midi/JackServer.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace rp {

namespace {
bool Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }
}  // namespace

bool JackServerSocketPresent() {
  const char* named = std::getenv("JACK_DEFAULT_SERVER");
  const std::string server = named && *named ? named : "default";
  const std::string uid = std::to_string(::getuid());
  if (Exists("/dev/shm/jack_" + server + "_" + uid + "_0")) return true;
  if (Exists("/dev/shm/jack-" + uid + "/" + server + "/jack_0")) return true;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  return runtime && *runtime && Exists(std::string(runtime) + "/pipewire-0");
}

}  // namespace rp
