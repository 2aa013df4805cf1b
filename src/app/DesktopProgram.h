// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop program: the half of returnplot that opens windows, plays
// through the synthesizer and talks to MIDI devices. It is installed in
// lib/returnplot/ beside the command-line program (bin/returnplot), in the
// build tree and installed alike, so batch commands never load its
// libraries.

#include <iosfwd>
#include <string>

namespace rp {

// Where the desktop program lies for the command-line program at `self`.
std::string DesktopProgramPath(const std::string& self);

// Replaces this process by the desktop program with the same arguments
// (argv[0] included). Returns only when that failed, after saying why on
// `err`, with the exit status to end with.
int StartDesktopProgram(char** argv, std::ostream& err);

}  // namespace rp
