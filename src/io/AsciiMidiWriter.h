// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes note events as an ASCII MIDI listing, one line per event, in the
// layout the ASCII MIDI reader accepts, after a first line that says the
// program wrote it (the reader skips it as no note line), e.g.
//
//   # ASCII MIDI listing written by returnplot: velocities as played
//   12; /* 1500.25 ms */+60 64;
//   13; /* 1730 ms */-60 40;
//
// (leading number, time in milliseconds, sign, key, velocity in three
// characters). Numbers are written in plain decimal with "." and as few
// digits as read back to the same value, so a listing of events with
// non-negative times and leading numbers reads back to the same events.

#include <cstdint>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/Performance.h"

namespace rp {

// The first line of every listing this program writes. Its velocities are
// as played, so a replay plays them at x1, not louder as the listings of
// other programs (see model/VelocityScale.h).
inline constexpr std::string_view kOwnListingLine = "# ASCII MIDI listing written by returnplot: velocities as played";

// Whether a file whose first bytes are `head` begins with that line.
bool IsOwnListing(std::string_view head);

std::string AsciiMidiLine(const NoteEvent& event);

// The first line, then one line per note event, in order.
void WriteAsciiMidi(std::ostream& out, std::span<const NoteEvent> notes);

// Writes notes 1 to `NoteEventCount` of `performance` as an ASCII MIDI listing
// to `path` through a temporary file beside it, put on the disk (fsync)
// before it is renamed to `path` and the folder's entry is put on the disk
// too: `path` is never half written, and once this returns true the listing
// survives a crash or a power cut. False, with a message for the user in
// `error`, when that fails (an old `path` then stays as it was).
bool SaveAsciiMidiFile(const std::string& path, const Performance& performance, std::string& error);

}  // namespace rp
