// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes a 16-bit PCM WAV file (RIFF, little-endian) as the samples come, so
// a long rendering never has to be held in memory whole.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

namespace rp {

struct WavFormat {
  int sampleRate = 44100;
  int channels = 2;
};

class WavWriter {
 public:
  // The most sample bytes a WAV file can describe (its sizes are 32-bit).
  static constexpr std::uint64_t kMaxDataBytes = 0xFFFFFFFFull - 36;

  // Every method returns "" on success, else a sentence for the user; after a
  // failure the writer does nothing more.
  std::string Open(const std::string& path, WavFormat format = {});
  // Interleaved samples, frames x channels.
  std::string Write(std::span<const std::int16_t> samples);
  // Writes the final sizes into the header and closes the file.
  std::string Finish();

 private:
  std::string Fail(const std::string& what);

  std::unique_ptr<FILE, int (*)(FILE*)> file_{nullptr, &std::fclose};
  std::string path_;
  WavFormat format_;
  std::uint64_t dataBytes_ = 0;
};

}  // namespace rp
