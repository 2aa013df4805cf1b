// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file written under a temporary name in the folder of its final path and
// renamed into place only when it is complete, so that a run that fails or
// is killed half-way leaves any earlier file of that name as it was (and at
// worst a temporary file beside it).

#include <string>

namespace rp {

class FileReplacement {
 public:
  explicit FileReplacement(std::string path) : path_(std::move(path)) {}
  // Removes the temporary file unless it was renamed into place.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Makes the empty temporary file beside the final path, with the
  // permission bits, owner and group of the file it will replace (those a new
  // file gets there when there is none); "" when done, else a sentence for
  // the user naming the final path (also when what is there cannot be kept).
  std::string Begin();
  // Where to write meanwhile; valid after Begin.
  const std::string& TemporaryPath() const { return temporary_; }
  // Renames the complete temporary file to the final path, replacing what was
  // there; "" when done, else a sentence for the user.
  std::string Commit();
  // `message` (about the temporary file) with the final path in its place,
  // as the user knows only that one.
  std::string AsFinal(std::string message) const;

 private:
  std::string path_;
  std::string temporary_;
  bool committed_ = false;
  int keptMode_ = -1;  // the permission bits of the file replaced, given at the commit; -1 none
};

}  // namespace rp
