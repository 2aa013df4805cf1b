// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/WavWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace rp {

namespace {

constexpr long kHeaderBytes = 44;

void PutU32(std::vector<unsigned char>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
void PutU16(std::vector<unsigned char>& out, std::uint16_t v) {
  out.push_back(static_cast<unsigned char>(v));
  out.push_back(static_cast<unsigned char>(v >> 8));
}
void PutTag(std::vector<unsigned char>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

std::vector<unsigned char> Header(WavFormat format, std::uint32_t dataBytes) {
  const auto channels = static_cast<std::uint16_t>(format.channels);
  const auto rate = static_cast<std::uint32_t>(format.sampleRate);
  std::vector<unsigned char> h;
  h.reserve(kHeaderBytes);
  PutTag(h, "RIFF");
  PutU32(h, dataBytes + kHeaderBytes - 8);
  PutTag(h, "WAVE");
  PutTag(h, "fmt ");
  PutU32(h, 16);  // size of the PCM format chunk
  PutU16(h, 1);   // PCM
  PutU16(h, channels);
  PutU32(h, rate);
  PutU32(h, rate * channels * 2u);                      // bytes per second
  PutU16(h, static_cast<std::uint16_t>(channels * 2));  // bytes per frame
  PutU16(h, 16);                                        // bits per sample
  PutTag(h, "data");
  PutU32(h, dataBytes);
  return h;
}

}  // namespace

std::string WavWriter::Fail(const std::string& what) {
  const int error = errno;
  file_.reset();
  std::remove(path_.c_str());  // no half-written file that looks like a sound
  return "Cannot write \"" + path_ + "\": " + (what.empty() ? std::strerror(error) : what) + ".";
}

std::string WavWriter::Open(const std::string& path, WavFormat format) {
  path_ = path;
  format_ = format;
  dataBytes_ = 0;
  file_.reset(std::fopen(path.c_str(), "wb"));
  if (!file_) return "Cannot write \"" + path + "\": " + std::strerror(errno) + ".";
  const auto header = Header(format_, 0);  // sizes follow in Finish
  if (std::fwrite(header.data(), 1, header.size(), file_.get()) != header.size()) return Fail("");
  return {};
}

std::string WavWriter::Write(std::span<const std::int16_t> samples) {
  if (!file_) return "Cannot write \"" + path_ + "\": the file is not open.";
  if (dataBytes_ + std::uint64_t{samples.size()} * 2 > kMaxDataBytes) {
    return Fail("the sound is too long for a WAV file (more than 4 GB)");
  }
  // Little-endian whatever the host order is, in blocks.
  std::vector<unsigned char> block;
  constexpr std::size_t kBlockSamples = 1 << 15;
  for (std::size_t at = 0; at < samples.size(); at += kBlockSamples) {
    const std::size_t n = std::min(kBlockSamples, samples.size() - at);
    block.clear();
    for (std::size_t i = 0; i < n; ++i) PutU16(block, static_cast<std::uint16_t>(samples[at + i]));
    if (std::fwrite(block.data(), 1, block.size(), file_.get()) != block.size()) return Fail("");
  }
  dataBytes_ += std::uint64_t{samples.size()} * 2;
  return {};
}

std::string WavWriter::Finish() {
  if (!file_) return "Cannot write \"" + path_ + "\": the file is not open.";
  const auto header = Header(format_, static_cast<std::uint32_t>(dataBytes_));
  if (std::fseek(file_.get(), 0, SEEK_SET) != 0 ||
      std::fwrite(header.data(), 1, header.size(), file_.get()) != header.size()) {
    return Fail("");
  }
  if (std::fclose(file_.release()) != 0) return Fail("");
  return {};
}

}  // namespace rp
