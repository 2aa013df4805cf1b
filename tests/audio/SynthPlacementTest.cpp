// SPDX-License-Identifier: GPL-3.0-or-later
// FluidSynth itself, through the scheduler: a note placed at a frame sounds
// from exactly the block boundary nearest to it, whatever the render periods.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "audio/GeneralMidiSynth.h"
#include "synth/SampleScheduler.h"

namespace rp {
namespace {

// One note at `frame`, rendered in periods of `period` frames.
std::vector<std::int16_t> RenderNote(long long frame, std::size_t period) {
  MidiFailure failure;
  auto synth = GeneralMidiSynth::Create(SoundFontCandidates(""), &failure);
  EXPECT_TRUE(synth) << failure.text;
  if (!synth) return {};
  SampleScheduler scheduler;
  scheduler.Add({frame, {0x90, 60, 100}, 3});
  std::vector<std::int16_t> out(2 * 8000);
  for (std::size_t at = 0; at < out.size(); at += 2 * period) {
    scheduler.Render(*synth, std::span(out).subspan(at, std::min(2 * period, out.size() - at)));
  }
  return out;
}

// The largest difference between `a` and `b` moved on by `shift` frames.
int Mismatch(const std::vector<std::int16_t>& a, const std::vector<std::int16_t>& b, std::size_t shift) {
  int worst = 0;
  for (std::size_t i = 0; i + 2 * shift < a.size(); ++i) worst = std::max(worst, std::abs(a[i] - b[i + 2 * shift]));
  return worst;
}

TEST(SynthPlacement, ANoteSoundsFromTheNearestBlockBoundaryOfItsFrame) {
  const auto early = RenderNote(640, 100);
  // 7 blocks and 20 frames later, in other periods: 7 blocks later exactly.
  const auto late = RenderNote(640 + 7 * 64 + 20, 37);
  ASSERT_EQ(early.size(), late.size());
  int loud = 0;
  for (std::size_t i = 0; i < early.size(); ++i) {
    if (i < 2 * 640) {
      ASSERT_LE(std::abs(early[i]), 2) << "sound before the note, sample " << i;
    }
    loud = std::max(loud, std::abs(int{early[i]}));
  }
  EXPECT_GT(loud, 1000);
  // The same sound shifted (dither aside, a few steps), and clearly not
  // shifted by a frame more or less.
  EXPECT_LE(Mismatch(early, late, 7 * 64), 8);
  EXPECT_GT(Mismatch(early, late, 7 * 64 - 1), 100);
  EXPECT_GT(Mismatch(early, late, 7 * 64 + 1), 100);
}

}  // namespace
}  // namespace rp
