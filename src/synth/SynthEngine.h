// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the sample-accurate scheduling needs of a synthesizer that renders in
// internal blocks: apply a message now, release every note, and render the
// next frames. A message applied between two renders takes effect at the
// start of the synthesizer's next internal block, so block boundaries are
// the only frames at which a message can sound exactly.

#include <cstdint>
#include <span>

namespace rp {

class SynthEngine {
 public:
  virtual ~SynthEngine() = default;
  // One channel message (status byte first).
  virtual void Apply(std::span<const std::uint8_t> bytes) = 0;
  // Lets up the pedals and releases every sounding note on every channel
  // (they fade as after a note-off).
  virtual void ReleaseAll() = 0;
  // Renders the next frames into interleaved 16-bit stereo.
  virtual void Render(std::span<std::int16_t> stereo) = 0;
  // Frames rendered since the synthesizer was made; internal blocks start at
  // the multiples of BlockFrames() of this count.
  virtual long long FramesRendered() const = 0;
  virtual int BlockFrames() const = 0;
};

}  // namespace rp
