// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/MonoAudioFile.h"

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <limits>

namespace rp {

namespace {

SNDFILE* File(void* file) { return static_cast<SNDFILE*>(file); }

// The sound-file library notes in its log when a header announces more
// data than the file holds: "... : 123456 should be 2345678" or similar. The
// announced frame count, else -1.
std::int64_t AnnouncedFramesOfCutFile(SNDFILE* file, int channels, int bytesPerSample) {
  char log[4096] = {};
  sf_command(file, SFC_GET_LOG_INFO, log, sizeof log);
  const std::string text(log);
  for (const char* marker : {"data : ", "data  : "}) {
    const std::size_t at = text.find(marker);
    if (at == std::string::npos) continue;
    const std::size_t eol = text.find('\n', at);
    const std::string line = text.substr(at, eol == std::string::npos ? std::string::npos : eol - at);
    long long announced = 0;
    long long actual = 0;
    if (line.find("should be") != std::string::npos &&
        std::sscanf(line.c_str() + std::string(marker).size(), "%lld (should be %lld)", &announced, &actual) == 2 &&
        announced > actual && bytesPerSample > 0) {
      return announced / (static_cast<long long>(bytesPerSample) * channels);
    }
  }
  return -1;
}

int BytesPerSample(int format) {
  switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_ULAW:
    case SF_FORMAT_ALAW:
      return 1;
    case SF_FORMAT_PCM_16:
      return 2;
    case SF_FORMAT_PCM_24:
      return 3;
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
      return 4;
    case SF_FORMAT_DOUBLE:
      return 8;
    default:
      return 0;
  }
}

// The sound-file library's reason, without its full stop: it goes into a
// sentence of ours.
std::string Reason(SNDFILE* file) {
  std::string why = sf_strerror(file);
  while (!why.empty() && (why.back() == '.' || why.back() == ' ')) why.pop_back();
  return why;
}

std::string Seconds(std::int64_t frames, int rate) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f s", static_cast<double>(frames) / rate);
  return text;
}

}  // namespace

MonoAudioFile::MonoAudioFile(const std::string& path) {
  SF_INFO info{};
  file_ = sf_open(path.c_str(), SFM_READ, &info);
  if (file_ == nullptr) {
    // The library's reason only where it tells something: for a file it
    // does not know it may blame a missing file the program has just opened.
    const int code = sf_error(nullptr);
    const bool telling = code == SF_ERR_MALFORMED_FILE || code == SF_ERR_UNSUPPORTED_ENCODING;
    error_ = std::string("it is not a recording returnplot can read (WAV, FLAC, Ogg/Vorbis or MP3)") +
             (telling ? ": " + Reason(nullptr) : std::string());
    return;
  }
  sampleRate_ = info.samplerate;
  channels_ = info.channels;
  if (sampleRate_ < kMinRecordingSampleRate || sampleRate_ > kMaxRecordingSampleRate) {
    error_ = "its sample rate is " + std::to_string(sampleRate_) + " Hz; a recording has " +
             std::to_string(kMinRecordingSampleRate) + " to " + std::to_string(kMaxRecordingSampleRate) + " Hz";
    return;
  }
  if (channels_ < 1) {
    error_ = "it has no channel";
    return;
  }
  // The MP3 decoder may not know the length; a count this large means the same.
  frames_ = info.frames >= 0 && info.frames < std::numeric_limits<std::int64_t>::max() / 2 ? info.frames : -1;
  if (frames_ == 0) {
    error_ = "it holds no sound (0 samples)";
    return;
  }
  announcedFrames_ = AnnouncedFramesOfCutFile(File(file_), channels_, BytesPerSample(info.format));
}

MonoAudioFile::~MonoAudioFile() {
  if (file_ != nullptr) sf_close(File(file_));
}

std::size_t MonoAudioFile::Read(float* out, std::size_t count) {
  // Decoders may hand out less than asked before the end (FLAC a block at a
  // time): read on until `count` or the end.
  std::size_t done = 0;
  while (done < count) {
    const std::size_t n = ReadSome(out + done, count - done);
    if (n == 0) break;
    done += n;
  }
  return done;
}

std::size_t MonoAudioFile::ReadSome(float* out, std::size_t count) {
  if (file_ == nullptr || !error_.empty() || count == 0) return 0;
  if (channels_ == 1) {
    const sf_count_t n = sf_readf_float(File(file_), out, static_cast<sf_count_t>(count));
    if (n <= 0) return 0;
    // A float file may hold infinities or NaN; they read as silence.
    for (sf_count_t i = 0; i < n; ++i) {
      if (!std::isfinite(out[i])) out[i] = 0.0F;
    }
    return static_cast<std::size_t>(n);
  }
  const auto channels = static_cast<std::size_t>(channels_);
  interleaved_.resize(count * channels);
  const sf_count_t n = sf_readf_float(File(file_), interleaved_.data(), static_cast<sf_count_t>(count));
  if (n <= 0) return 0;
  const float scale = 1.0F / static_cast<float>(channels);
  const float* frame = interleaved_.data();
  for (sf_count_t i = 0; i < n; ++i, frame += channels) {
    float sum = 0.0F;
    for (std::size_t c = 0; c < channels; ++c) sum += frame[c];
    out[i] = std::isfinite(sum) ? sum * scale : 0.0F;
  }
  return static_cast<std::size_t>(n);
}

void MonoAudioFile::CheckComplete(std::int64_t framesRead) {
  if (file_ == nullptr || !error_.empty()) return;
  if (sf_error(File(file_)) != SF_ERR_NO_ERROR) {
    error_ = "decoding failed after " + Seconds(framesRead, sampleRate_) + ": " + Reason(File(file_));
    return;
  }
  const std::int64_t announced = announcedFrames_ > 0 ? announcedFrames_ : frames_;
  if (announced > 0 && framesRead < announced) {
    error_ = "it is cut short: its header announces " + Seconds(announced, sampleRate_) + " of sound, the file holds " +
             Seconds(framesRead, sampleRate_);
  } else if (framesRead == 0) {
    error_ = "it holds no sound (0 samples)";
  }
}

}  // namespace rp
