// SPDX-License-Identifier: GPL-3.0-or-later
// Messages placed by frame: the scheduler and the live stream put each one at
// the synthesizer block boundary nearest its frame, whatever the period sizes.

#include <gtest/gtest.h>

#include <vector>

#include "synth/SampleScheduler.h"
#include "synth/SynthStream.h"

namespace rp {
namespace {

using Time = ReplayClock::Time;
using namespace std::chrono_literals;

// Behaves as FluidSynth does: a message applied between renders takes effect
// at the start of the next 64-frame block. Each rendered sample is the number
// of the last note that started sounding (its key), so the stream shows where
// each onset landed.
class BlockSynth final : public SynthEngine {
 public:
  void Apply(std::span<const std::uint8_t> bytes) override { waiting_.push_back(bytes[1]); }
  void ReleaseAll() override { waiting_.push_back(0); }
  void Render(std::span<std::int16_t> stereo) override {
    for (std::size_t i = 0; i < stereo.size(); i += 2) {
      if (frames_ % 64 == 0) {
        for (int key : waiting_) sounding_ = key;
        waiting_.clear();
      }
      stereo[i] = stereo[i + 1] = static_cast<std::int16_t>(sounding_);
      ++frames_;
    }
  }
  long long FramesRendered() const override { return frames_; }
  int BlockFrames() const override { return 64; }

 private:
  std::vector<int> waiting_;
  int sounding_ = 0;
  long long frames_ = 0;
};

// The frame at which each value first appears in the stream.
std::vector<std::pair<int, long long>> Onsets(const std::vector<std::int16_t>& stereo) {
  std::vector<std::pair<int, long long>> onsets;
  int last = 0;
  for (std::size_t i = 0; i < stereo.size(); i += 2) {
    if (stereo[i] != last) onsets.emplace_back(stereo[i], static_cast<long long>(i / 2));
    last = stereo[i];
  }
  return onsets;
}

TimedMidi Note(long long frame, int key) { return {frame, {0x90, static_cast<std::uint8_t>(key), 100}, 3}; }

TEST(SampleScheduler, NearestBlockStartRoundsHalvesUp) {
  EXPECT_EQ(NearestBlockStart(0, 64), 0);
  EXPECT_EQ(NearestBlockStart(31, 64), 0);
  EXPECT_EQ(NearestBlockStart(32, 64), 64);
  EXPECT_EQ(NearestBlockStart(95, 64), 64);
  EXPECT_EQ(NearestBlockStart(-31, 64), 0);
  EXPECT_EQ(NearestBlockStart(-40, 64), -64);
}

TEST(SampleScheduler, MessagesSoundAtTheBlockNearestTheirFrameAcrossAnyPeriods) {
  for (const std::size_t period : {1u, 37u, 64u, 100u, 4096u}) {
    BlockSynth synth;
    SampleScheduler scheduler;
    // Out of order, one on a boundary, two that round the same way (the later
    // one in queue order wins), and a release.
    scheduler.Add(Note(1000, 3));
    scheduler.Add(Note(128, 1));
    scheduler.Add(Note(415, 2));
    scheduler.Add(Note(1023, 4));
    scheduler.Add(TimedMidi{2000, {}, 0});
    std::vector<std::int16_t> stream(2 * 2500);
    for (std::size_t at = 0; at < stream.size(); at += 2 * period) {
      const std::size_t n = std::min(2 * period, stream.size() - at);
      scheduler.Render(synth, std::span(stream).subspan(at, n));
    }
    using Onset = std::pair<int, long long>;
    EXPECT_EQ(Onsets(stream), (std::vector<Onset>{{1, 128}, {2, 384}, {4, 1024}, {0, 1984}})) << "period " << period;
    EXPECT_EQ(scheduler.Waiting(), 0u);
  }
}

// A stream on the FluidSynth-like synth, rendered in periods of `kPeriod`
// frames; each period is stamped as if rendered every period on the clock.
struct StreamRig {
  static constexpr int kRate = 44100;
  static constexpr std::size_t kPeriod = 100;
  BlockSynth synth;
  SynthStream stream{synth, kRate};
  std::vector<std::int16_t> out;
  Time latency = 20ms;

  static Time FrameTime(long long frame) { return Time(frame * 1'000'000'000LL / kRate); }
  static long long FramesIn(Time t) { return t.count() * kRate / 1'000'000'000LL; }
  void RenderPeriod() {
    const long long first = synth.FramesRendered();
    out.resize(out.size() + 2 * kPeriod);
    stream.RenderPeriod(std::span(out).last(2 * kPeriod), FrameTime(first), latency);
  }
  void RenderUntil(Time t) {
    while (FrameTime(synth.FramesRendered()) < t) RenderPeriod();
  }
  bool Push(int key, Time due) {
    const std::uint8_t on[3] = {0x90, static_cast<std::uint8_t>(key), 100};
    return stream.Push(on, due);
  }
};

TEST(SynthStream, AReplaySoundsFromThePeriodThatTakesItsFirstMessageAtExactOffsets) {
  StreamRig rig;
  rig.RenderUntil(50ms);
  // The first message waits for the next period; the later ones come ahead
  // of their time, whenever the timing thread sends them.
  const Time start = StreamRig::FrameTime(rig.synth.FramesRendered()) - 1ms;
  ASSERT_TRUE(rig.Push(1, start));
  ASSERT_TRUE(rig.Push(2, start + 3ms));
  EXPECT_TRUE(rig.stream.NextPeriodStartsReplay()) << "the first message begins the replay";
  const long long anchor = rig.synth.FramesRendered();
  rig.RenderPeriod();
  EXPECT_FALSE(rig.stream.NextPeriodStartsReplay());
  // Heard when that period's first frame is: rendered 1 ms after the due
  // time, plus the output's latency.
  EXPECT_EQ(rig.stream.SoundDelay(), StreamRig::FrameTime((anchor + 63) / 64 * 64) - start + 20ms);
  rig.RenderUntil(start + 100ms);
  ASSERT_TRUE(rig.Push(3, start + 150ms));
  rig.RenderUntil(start + 400ms);

  const auto onsets = Onsets(rig.out);
  ASSERT_EQ(onsets.size(), 3u);
  const long long boundary = (anchor + 63) / 64 * 64;
  EXPECT_EQ(onsets[0].second, boundary);
  EXPECT_EQ(onsets[1].second, NearestBlockStart(boundary + 132, 64));   // 3 ms
  EXPECT_EQ(onsets[2].second, NearestBlockStart(boundary + 6615, 64));  // 150 ms
  EXPECT_EQ(rig.stream.LateMessages(), 0);
}

TEST(SynthStream, LateMessagesStopsAndRestarts) {
  StreamRig rig;
  rig.RenderUntil(20ms);
  const Time start = StreamRig::FrameTime(rig.synth.FramesRendered());
  ASSERT_TRUE(rig.Push(1, start));
  // Due 5 ms after the first but pushed 40 ms late: it sounds in the next
  // period and is counted.
  rig.RenderUntil(start + 45ms);
  const long long pushedAtFrame = rig.synth.FramesRendered();
  ASSERT_TRUE(rig.Push(2, start + 5ms));
  rig.RenderPeriod();
  EXPECT_EQ(rig.stream.LateMessages(), 1);
  auto onsets = Onsets(rig.out);
  ASSERT_EQ(onsets.size(), 2u);
  EXPECT_EQ(onsets[1].second, (pushedAtFrame + 63) / 64 * 64);  // the next block

  // A stop: what was pushed ahead and is due after it never sounds.
  ASSERT_TRUE(rig.Push(3, start + 200ms));
  rig.stream.ReleaseAll(start + 100ms);
  rig.RenderUntil(start + 300ms);
  onsets = Onsets(rig.out);
  ASSERT_EQ(onsets.size(), 3u);
  EXPECT_EQ(onsets[2].first, 0) << "released, and key 3 dropped";

  // A new replay takes a new map, with the latency of now; until its first
  // message is taken the delay is an estimate.
  rig.latency = 35ms;
  rig.stream.Restart();
  const Time now = StreamRig::FrameTime(rig.synth.FramesRendered());
  ASSERT_TRUE(rig.Push(4, now));
  EXPECT_EQ(rig.stream.SoundDelay(), 20ms + StreamRig::FrameTime(StreamRig::kPeriod));
  rig.RenderUntil(now + 30ms);
  const long long boundary = (StreamRig::FramesIn(now) + 63) / 64 * 64;
  EXPECT_NEAR(rig.stream.SoundDelay().count(), (35ms + StreamRig::FrameTime(boundary) - now).count(), 1000);
  onsets = Onsets(rig.out);
  ASSERT_EQ(onsets.size(), 4u);
  EXPECT_EQ(onsets[3].second, boundary);
  EXPECT_EQ(rig.stream.LateMessages(), 1);
}

}  // namespace
}  // namespace rp
