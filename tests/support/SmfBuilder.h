// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds Standard MIDI Files byte by byte for the tests and the benchmark,
// including the malformed ones no ordinary writer would make.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace rp::test {

using Bytes = std::vector<std::uint8_t>;

inline void AppendBig(Bytes& b, std::uint32_t v, int n) {
  for (int i = n - 1; i >= 0; --i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline void AppendVlq(Bytes& b, std::uint32_t v) {
  std::uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = v & 0x7F;
    v >>= 7;
  } while (v);
  while (n-- > 0) b.push_back(static_cast<std::uint8_t>(groups[n] | (n ? 0x80 : 0)));
}

// One track's events; each call appends a delta time and the event bytes.
struct TrackBuilder {
  Bytes data;

  TrackBuilder& Raw(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes) {
    AppendVlq(data, delta);
    data.insert(data.end(), bytes);
    return *this;
  }
  TrackBuilder& On(std::uint32_t delta, int key, int velocity, int channel = 0) {
    return Raw(delta, {static_cast<std::uint8_t>(0x90 | channel), static_cast<std::uint8_t>(key),
                       static_cast<std::uint8_t>(velocity)});
  }
  TrackBuilder& Off(std::uint32_t delta, int key, int velocity = 64, int channel = 0) {
    return Raw(delta, {static_cast<std::uint8_t>(0x80 | channel), static_cast<std::uint8_t>(key),
                       static_cast<std::uint8_t>(velocity)});
  }
  // Microseconds per quarter note.
  TrackBuilder& Tempo(std::uint32_t delta, std::uint32_t micros) {
    return Raw(delta, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(micros >> 16),
                       static_cast<std::uint8_t>(micros >> 8), static_cast<std::uint8_t>(micros)});
  }
  TrackBuilder& End(std::uint32_t delta = 0) { return Raw(delta, {0xFF, 0x2F, 0x00}); }
};

inline void AppendChunk(Bytes& file, const char* id, const Bytes& body) {
  file.insert(file.end(), id, id + 4);
  AppendBig(file, static_cast<std::uint32_t>(body.size()), 4);
  file.insert(file.end(), body.begin(), body.end());
}

// `division`: ticks per quarter, or the raw SMPTE word (high bit set).
inline Bytes MidiFile(int format, std::uint16_t division, const std::vector<TrackBuilder>& tracks) {
  Bytes header;
  AppendBig(header, static_cast<std::uint32_t>(format), 2);
  AppendBig(header, static_cast<std::uint32_t>(tracks.size()), 2);
  AppendBig(header, division, 2);
  Bytes file;
  AppendChunk(file, "MThd", header);
  for (const auto& t : tracks) AppendChunk(file, "MTrk", t.data);
  return file;
}

}  // namespace rp::test
