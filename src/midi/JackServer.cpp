// SPDX-License-Identifier: GPL-3.0-or-later
#include "midi/JackServer.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace rp {

namespace {

bool Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

// The sockets a JACK server of this user listens on, in the order asked.
std::vector<std::string> ServerSockets() {
  const char* named = std::getenv("JACK_DEFAULT_SERVER");
  const std::string server = named && *named ? named : "default";
  const std::string uid = std::to_string(::getuid());
  std::vector<std::string> sockets = {"/dev/shm/jack_" + server + "_" + uid + "_0",
                                      "/dev/shm/jack-" + uid + "/" + server + "/jack_0"};
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) sockets.push_back(std::string(runtime) + "/pipewire-0");
  return sockets;
}

bool TakesConnection(const std::string& path) {
  sockaddr_un address{};
  if (path.size() >= sizeof address.sun_path) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return connected;
}

}  // namespace

bool JackServerSocketPresent() {
  for (const std::string& socket : ServerSockets())
    if (Exists(socket)) return true;
  return false;
}

bool JackServerAnswers() {
  for (const std::string& socket : ServerSockets())
    if (Exists(socket) && TakesConnection(socket)) return true;
  return false;
}

}  // namespace rp
