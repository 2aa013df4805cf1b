// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Telling a recording by its first bytes, without the recording module: a
// RIFF/WAVE (or RF64) header, "fLaC", "OggS", an ID3 tag or an MPEG audio
// frame header.

#include <cstddef>
#include <cstdint>
#include <span>

namespace rp {

// How many leading bytes `LooksLikeRecording` needs.
inline constexpr std::size_t kRecordingSignatureBytes = 12;

bool LooksLikeRecording(std::span<const std::uint8_t> head);

}  // namespace rp
