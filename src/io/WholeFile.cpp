// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/WholeFile.h"

#include <filesystem>
#include <fstream>

namespace rp {

bool ReadWholeFile(const std::string& path, std::uintmax_t maxBytes, std::string& bytes, std::string& why) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) {
    why = "the file cannot be opened";
    return false;
  }
  if (size > maxBytes) {
    why = "the file is " + std::to_string(size >> 20) + " MB, more than the " + std::to_string(maxBytes >> 20) +
          " MB such a file may have";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  bytes.assign(size, '\0');
  if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(size))) {
    why = "the file cannot be read";
    return false;
  }
  // A file that grew since its size was taken is read as it was then.
  return true;
}

}  // namespace rp
