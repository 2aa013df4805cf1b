// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A folder of the test's own for the files it makes: made with mkdtemp under
// the system's temporary folder (or under `parent`), removed with everything
// in it when the object goes. When the folder cannot be made the constructor
// throws, so the test fails there and then; nothing is ever written to, or
// removed from, the temporary folder itself.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace rp::test {

class TempDir {
 public:
  explicit TempDir(std::string_view prefix = "rp_test_", const std::filesystem::path& parent = {});
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder.
  const std::string& Path() const { return path_; }
  // `name` inside the folder; nothing is made.
  std::string Path(std::string_view name) const;

  // A file `name` holding `bytes`; its path. Throws when it cannot be written.
  std::string Write(std::string_view name, std::string_view bytes) const;
  // A file `name` of `head`, then `count` copies of `fill`, then `tail`,
  // written in pieces (files of many megabytes); its path.
  std::string WriteLong(std::string_view name, std::string_view head, char fill, std::size_t count,
                        std::string_view tail) const;
  // A named pipe nobody writes to: opening it for reading would block.
  std::string MakeFifo(std::string_view name) const;
  // A file whose permission bits forbid reading (root reads it all the same).
  std::string WriteUnreadable(std::string_view name, std::string_view bytes) const;

 private:
  std::string path_;
};

// A file holding `bytes`, alone in a folder of its own; both go with the
// object. `name` is the file's name (none of the readers may tell a file by
// it unless the test says so).
class TempFile {
 public:
  explicit TempFile(std::string_view bytes, std::string_view name = "file");
  const std::string& Path() const { return path_; }

 private:
  TempDir dir_;
  std::string path_;
};

// The whole of a file as bytes; "" when it cannot be read.
std::string FileText(const std::string& path);

}  // namespace rp::test
