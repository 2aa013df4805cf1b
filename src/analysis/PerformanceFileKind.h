// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which kind of performance file a file is, told by its first bytes, never
// by its name.

#include <cstdint>
#include <span>

namespace rp {

enum class PerformanceFileKind { MidiFile, Recording, MatchFile, TimesList, Listing };

struct RecognisedFile {
  PerformanceFileKind kind = PerformanceFileKind::Listing;
  bool text = false;        // the first bytes look like text
  bool ownListing = false;  // a listing this program wrote (its replay plays the velocities as they are)
};

// How much of a file's start tells its kind.
inline constexpr std::size_t kHeadBytes = 4096;

// Everything that is no other kind is read as an ASCII MIDI listing.
RecognisedFile RecognisePerformanceFile(std::span<const std::uint8_t> head);

}  // namespace rp
