// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A recording's sound for its replay: every frame as the mean of its
// channels (the sound the onsets were found in), in 16 bits, read through the
// recording module as the onsets are.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace rp {

struct RecordingSamples {
  std::vector<std::int16_t> mono;
  int sampleRate = 0;
  std::string error;  // why, for the user (the callers name the file); empty when read
  bool cancelled = false;
  bool Ok() const { return error.empty() && !cancelled; }
};

// Reads the whole recording at `path`. `keepGoing`, when given, is asked now
// and then; false stops the read (`cancelled`, no samples).
RecordingSamples ReadRecordingSamples(const std::string& path, const std::function<bool()>& keepGoing = {});

}  // namespace rp
