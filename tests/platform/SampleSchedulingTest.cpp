// Messages placed by frame: the scheduler and the live stream put each one at
// the synthesizer block boundary nearest its frame, whatever the period sizes.

#include <gtest/gtest.h>

#include <vector>

#include "platform/SampleScheduler.h"
#include "platform/SynthStream.h"

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
    EXPECT_EQ(Onsets(stream), (std::vector<Onset>{{1, 128}, {2, 384}, {4, 1024}, {0, 1984}}))
        << "period " << period;
    EXPECT_EQ(scheduler.Waiting(), 0u);
  }
}

// A stream on the FluidSynth-like synth, rendered in periods of `kPeriod`
// frames; each period is stamped as if rendered every period on the clock.
struct StreamRig {
  static constexpr int kRate = 44100;
  static constexpr std::size_t kPeriod = 100;
  BlockSynth synth;
  SynthStream stream{synth, kRate, 10ms};
  std::vector<std::int16_t> out;
  Time latency = 20ms;

  static Time FrameTime(long long frame) { return Time(frame * 1'000'000'000LL / kRate); }
  void RenderPeriod() {
    const long long first = synth.FramesRendered();
    out.resize(out.size() + 2 * kPeriod);
    stream.RenderPeriod(std::span(out).last(2 * kPeriod), FrameTime(first), latency);
  }
  void RenderUntil(Time t) {
    while (FrameTime(synth.FramesRendered()) < t) RenderPeriod();
  }
  bool Push(int key, Time due, Time now) {
    const std::uint8_t on[3] = {0x90, static_cast<std::uint8_t>(key), 100};
    return stream.Push(on, due, now);
  }
};

TEST(SynthStream, MessagesLandAtTheirDueTimesOnTheStreamsFrames) {
  StreamRig rig;
  EXPECT_FALSE(rig.Push(1, 0ms, 0ms)) << "no position before the first period";
  rig.RenderUntil(50ms);
  // The timing thread sends the first message 2 ms late: the replay follows
  // it by as much, and the later messages keep their distance to the frame.
  const Time start = StreamRig::FrameTime(rig.synth.FramesRendered()) + 1ms;
  ASSERT_TRUE(rig.Push(1, start, start + 2ms));
  EXPECT_EQ(rig.stream.SoundDelay(), 10ms + 20ms + 2ms);
  rig.RenderUntil(start + 3ms);
  ASSERT_TRUE(rig.Push(2, start + 3ms, start + 3ms + 100us));
  rig.RenderUntil(start + 150ms);
  ASSERT_TRUE(rig.Push(3, start + 150ms, start + 150ms + 4ms));
  rig.RenderUntil(start + 400ms);

  const auto onsets = Onsets(rig.out);
  ASSERT_EQ(onsets.size(), 3u);
  // The first lands the margin (441 frames) ahead of the frame being
  // rendered when it was sent, to the block.
  const long long sentAt = (start + 2ms).count() * StreamRig::kRate / 1'000'000'000LL;
  EXPECT_EQ(onsets[0].second, NearestBlockStart(sentAt + 441, 64));
  EXPECT_EQ(onsets[1].second, NearestBlockStart(onsets[0].second + 132, 64));   // 3 ms
  EXPECT_EQ(onsets[2].second, NearestBlockStart(onsets[0].second + 6615, 64));  // 150 ms
  EXPECT_EQ(rig.stream.LateMessages(), 0);
}

TEST(SynthStream, ALateMessageSoundsAtOnceAndARestartTakesANewAnchor) {
  StreamRig rig;
  rig.RenderUntil(20ms);
  const Time start = StreamRig::FrameTime(rig.synth.FramesRendered());
  ASSERT_TRUE(rig.Push(1, start, start));
  // Due 5 ms after the first but sent 40 ms late, beyond the 10 ms margin:
  // it sounds in the next period.
  rig.RenderUntil(start + 45ms);
  const long long sentAtFrame = rig.synth.FramesRendered();
  ASSERT_TRUE(rig.Push(2, start + 5ms, start + 45ms));
  rig.RenderPeriod();
  EXPECT_EQ(rig.stream.LateMessages(), 1);
  auto onsets = Onsets(rig.out);
  ASSERT_EQ(onsets.size(), 2u);
  EXPECT_EQ(onsets[1].second, (sentAtFrame + 63) / 64 * 64);  // the next block

  // A new replay: its first message is placed the margin ahead again, with
  // the latency of now.
  rig.latency = 35ms;
  rig.stream.Restart();
  rig.RenderUntil(start + 200ms);
  const Time now = StreamRig::FrameTime(rig.synth.FramesRendered());
  ASSERT_TRUE(rig.Push(3, now, now));
  EXPECT_EQ(rig.stream.SoundDelay(), 10ms + 35ms);
  rig.RenderUntil(now + 30ms);
  onsets = Onsets(rig.out);
  ASSERT_EQ(onsets.size(), 3u);
  EXPECT_EQ(onsets[2].second, NearestBlockStart(now.count() * StreamRig::kRate / 1'000'000'000LL + 441, 64));
  EXPECT_EQ(rig.stream.LateMessages(), 1);
}

}  // namespace
}  // namespace rp
