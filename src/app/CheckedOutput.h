// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The end of every command: what it printed must have reached its place. A
// full disk, a closed pipe or /dev/full never pass for a success.

#include <array>
#include <iosfwd>
#include <streambuf>

namespace rp {

// Exit status for a command whose output could not be written.
inline constexpr int kExitOutputFailed = 1;

// Standard output while it lives: std::cout writes through a buffer of its
// own onto file descriptor 1, which remembers why the first write failed
// (the C library's stream forgets it). Flushed and given back at the end; on
// a terminal every line goes out when complete, as the C library does.
class CheckedStandardOutput final : public std::streambuf {
 public:
  CheckedStandardOutput();
  ~CheckedStandardOutput() override;
  CheckedStandardOutput(const CheckedStandardOutput&) = delete;
  CheckedStandardOutput& operator=(const CheckedStandardOutput&) = delete;

  // errno of the first write that failed; 0 while none did.
  int FirstError() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char_type* text, std::streamsize count) override;
  int sync() override;

 private:
  // Writes out what the buffer holds; false once a write failed.
  bool Drain();

  std::array<char, 8192> buffer_{};
  std::streambuf* previous_ = nullptr;
  int error_ = 0;
  bool lineBuffered_ = false;
};

// The exit status once `out` is flushed: `status` when everything was
// written, else one line on `err` (with the reason when `out` writes through
// a CheckedStandardOutput) and kExitOutputFailed, unless the command had
// already failed with a status of its own, which it keeps.
int StatusAfterOutput(int status, std::ostream& out, std::ostream& err);

}  // namespace rp
