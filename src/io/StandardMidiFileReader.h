// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads a Standard MIDI File (format 0 or 1) into the same note events the
// ASCII MIDI reader makes, so the same analysis runs on it.
//
// Every track and channel is merged into one list in time order; at equal
// times note-offs come first, then file order. Times follow the file's whole
// tempo map (or its SMPTE division) and are milliseconds from the start of
// the file. Every sounding note gives one note-on and exactly one note-off:
// a note-on with velocity 0 is a note-off, a note-off with no sounding note is
// dropped, and a note still sounding when its track ends is ended there.
// Controller messages are kept apart from the notes, in time order.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/Performance.h"

namespace rp {

struct MidiFileReadResult {
  // In file order; each one's `leadValue` is its number, from 1.
  std::vector<NoteEvent> events;
  // Its controllers (pedals and the others), replayed beside the notes; they
  // make no note event.
  std::vector<ControllerEvent> controllers;
  // Empty on success; otherwise one sentence for the user naming the file.
  std::string error;
  bool Ok() const { return error.empty(); }
};

// Files above this size are refused before anything is allocated for them; a
// recorded performance is a few megabytes at most.
inline constexpr std::uintmax_t kMaxMidiFileBytes = 64u << 20;

// True when the bytes open with a MIDI header chunk ("MThd"), whatever the
// file is called.
bool LooksLikeStandardMidiFile(std::span<const std::uint8_t> firstBytes);
// The same test on the first bytes of a file; false when it cannot be read.
bool IsStandardMidiFile(const std::string& path);

MidiFileReadResult ReadStandardMidiFile(const std::string& path);
// `fileName` only names the file in the error message.
MidiFileReadResult ParseStandardMidiFile(std::span<const std::uint8_t> bytes, std::string_view fileName);

}  // namespace rp
