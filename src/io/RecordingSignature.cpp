// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/RecordingSignature.h"

#include <cstring>

namespace rp {

namespace {

bool StartsWith(std::span<const std::uint8_t> head, std::size_t at, const char* text) {
  const std::size_t n = std::strlen(text);
  return head.size() >= at + n && std::memcmp(head.data() + at, text, n) == 0;
}

// An MPEG audio frame header: 11 sync bits, and no reserved version, layer,
// bit rate or sample rate. FF FE, the byte-order mark of UTF-16 text, is
// never one.
bool IsMpegFrameHeader(std::span<const std::uint8_t> head) {
  if (head.size() < 4 || head[0] != 0xFF || (head[1] & 0xE0) != 0xE0 || head[1] == 0xFE) return false;
  const int version = (head[1] >> 3) & 3;
  const int layer = (head[1] >> 1) & 3;
  const int bitRate = head[2] >> 4;
  const int sampleRate = (head[2] >> 2) & 3;
  return version != 1 && layer != 0 && bitRate != 15 && sampleRate != 3;
}

}  // namespace

bool LooksLikeRecording(std::span<const std::uint8_t> head) {
  if ((StartsWith(head, 0, "RIFF") || StartsWith(head, 0, "RF64")) && StartsWith(head, 8, "WAVE")) return true;
  return StartsWith(head, 0, "fLaC") || StartsWith(head, 0, "OggS") || StartsWith(head, 0, "ID3") ||
         IsMpegFrameHeader(head);
}

}  // namespace rp
