// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/OfflineRender.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "audio/GeneralMidiSynth.h"
#include "io/WavWriter.h"
#include "synth/SampleScheduler.h"

namespace rp {

namespace {

constexpr double kFramesPerMs = kSynthSampleRate / 1000.0;
constexpr long long kMaxFrames = static_cast<long long>(WavWriter::kMaxDataBytes / 4);

// The frame at which a message of `ms` (already at the replay tempo) sounds;
// every time beyond what a WAV file holds counts as its end, so the check
// below refuses it before anything is rendered.
long long FrameAt(double ms) {
  if (!std::isfinite(ms)) return ms > 0 ? kMaxFrames + 1 : 0;
  const double frame = std::round(ms * kFramesPerMs);
  if (frame <= 0) return 0;
  return frame > static_cast<double>(kMaxFrames) ? kMaxFrames + 1 : static_cast<long long>(frame);
}

}  // namespace

OfflineRenderResult RenderToWav(GeneralMidiSynth& synth, std::span<const MidiMessage> messages, double tempoFactor,
                                const std::string& path) {
  OfflineRenderResult result;
  if (!(tempoFactor > 0) || !std::isfinite(tempoFactor)) {
    result.error = "The tempo factor must be a positive number.";
    return result;
  }
  // Each message's frame, never earlier than its predecessor's: the port
  // sends in queue order.
  std::vector<long long> frames(messages.size());
  long long at = 0;
  for (std::size_t i = 0; i < messages.size(); ++i) {
    at = std::max(at, FrameAt(messages[i].timeMs / tempoFactor));
    frames[i] = at;
  }
  const long long total = at + FrameAt(kRenderReleaseMs);
  if (total > kMaxFrames) {
    result.error = "The performance is too long for a WAV file (more than 4 GB of sound).";
    return result;
  }
  result.lastMessageMs = static_cast<double>(at) / kFramesPerMs;

  WavWriter wav;
  if (auto error = wav.Open(path, {kSynthSampleRate, 2}); !error.empty()) {
    result.error = error;
    return result;
  }
  // The same placement as the live synthesizer: each message at the block
  // boundary nearest its frame, the release right after the last message.
  SampleScheduler scheduler(messages.size() + 1);
  const long long origin = synth.FramesRendered();
  for (std::size_t i = 0; i < messages.size(); ++i) {
    const MidiMessage& m = messages[i];
    if (m.status == kTagOnlyStatus) continue;
    TimedMidi timed{
        origin + frames[i],
        {static_cast<std::uint8_t>(m.status), static_cast<std::uint8_t>(m.data1), static_cast<std::uint8_t>(m.data2)},
        static_cast<std::uint8_t>(MessageLength(m.status))};
    scheduler.Add(timed);
  }
  // The end of the queue stops the replay, which releases what still sounds.
  scheduler.Add(TimedMidi{origin + at, {}, 0});
  std::vector<std::int16_t> buffer(2 * 4096);
  long long done = 0;
  while (done < total) {
    const auto n = static_cast<std::size_t>(std::min<long long>(total - done, 4096));
    std::span<std::int16_t> block(buffer.data(), 2 * n);
    scheduler.Render(synth, block);
    if (auto error = wav.Write(block); !error.empty()) {
      result.error = error;
      return result;
    }
    done += static_cast<long long>(n);
  }
  result.error = wav.Finish();
  result.frames = done;
  return result;
}

}  // namespace rp
