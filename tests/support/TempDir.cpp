// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TempDir.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace rp::test {

namespace fs = std::filesystem;

TempDir::TempDir(std::string_view prefix, const fs::path& parent) {
  const fs::path under = parent.empty() ? fs::temp_directory_path() : parent;
  std::string pattern = (under / (std::string(prefix) + "XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot make a temporary folder in " + under.string() + ": " + std::strerror(errno));
  }
  path_ = pattern;
}

TempDir::~TempDir() {
  if (path_.empty()) return;
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::string TempDir::Path(std::string_view name) const { return (fs::path(path_) / name).string(); }

std::string TempDir::Write(std::string_view name, std::string_view bytes) const {
  const std::string path = Path(name);
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
  return path;
}

std::string TempDir::WriteLong(std::string_view name, std::string_view head, char fill, std::size_t count,
                               std::string_view tail) const {
  const std::string path = Path(name);
  std::ofstream out(path, std::ios::binary);
  out << head;
  const std::string block(std::size_t{1} << 20, fill);
  for (std::size_t left = count; left > 0;) {
    const std::size_t n = left < block.size() ? left : block.size();
    out.write(block.data(), static_cast<std::streamsize>(n));
    left -= n;
  }
  out << tail;
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
  return path;
}

std::string TempDir::MakeFifo(std::string_view name) const {
  const std::string path = Path(name);
  if (::mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("cannot make the pipe " + path);
  return path;
}

std::string TempDir::WriteUnreadable(std::string_view name, std::string_view bytes) const {
  const std::string path = Write(name, bytes);
  fs::permissions(path, fs::perms::none);
  return path;
}

TempFile::TempFile(std::string_view bytes, std::string_view name) : path_(dir_.Write(name, bytes)) {}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace rp::test
