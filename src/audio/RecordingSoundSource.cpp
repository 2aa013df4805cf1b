// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/RecordingSoundSource.h"

#include <rubberband/RubberBandStretcher.h>

#include <algorithm>
#include <cmath>

namespace rp {

namespace {

// The most frames handed to the stretcher at once; the stretcher is told so
// beforehand and then never allocates.
constexpr std::size_t kMaxFeed = 4096;
// The start is faded in over this long, so a start between two samples far
// apart does not click.
constexpr double kFadeInMs = 5.0;

float ToFloat(std::int16_t s) { return static_cast<float>(s) / 32768.0F; }

std::int16_t ToSample(float v) { return static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0F, 1.0F) * 32767.0F)); }

}  // namespace

struct RecordingSoundSource::Stretcher {
  Stretcher(int sampleRate, double factor)
      : rb(static_cast<std::size_t>(sampleRate), 1,
           RubberBand::RubberBandStretcher::OptionProcessRealTime | RubberBand::RubberBandStretcher::OptionEngineFaster,
           1.0 / factor) {
    rb.setMaxProcessSize(kMaxFeed);
  }
  RubberBand::RubberBandStretcher rb;
};

RecordingSoundSource::RecordingSoundSource(std::span<const std::int16_t> mono, int sampleRate, long long startFrame,
                                           double factor)
    : mono_(mono),
      rate_(sampleRate),
      stretcher_(std::make_unique<Stretcher>(sampleRate, factor)),
      in_(kMaxFeed),
      out_(kMaxFeed),
      position_(static_cast<double>(startFrame)),
      factor_(factor) {}

RecordingSoundSource::~RecordingSoundSource() = default;

void RecordingSoundSource::Publish(Time heard, double position, double factor) {
  sequence_.fetch_add(1, std::memory_order_acq_rel);
  heard_.store(heard.count(), std::memory_order_relaxed);
  heardPosition_.store(position, std::memory_order_relaxed);
  heardFactor_.store(factor, std::memory_order_relaxed);
  sequence_.fetch_add(1, std::memory_order_release);
}

std::optional<RecordingSoundSource::Time> RecordingSoundSource::HeardAt(double frame) const {
  while (true) {
    const unsigned before = sequence_.load(std::memory_order_acquire);
    if ((before & 1U) != 0) continue;
    const Time::rep heard = heard_.load(std::memory_order_relaxed);
    const double position = heardPosition_.load(std::memory_order_relaxed);
    const double factor = heardFactor_.load(std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_acquire);
    if (sequence_.load(std::memory_order_relaxed) != before) continue;
    if (position < 0.0) return std::nullopt;
    const double ns = (frame - position) / (factor * rate_) * 1e9;
    return Time(heard + static_cast<Time::rep>(std::llround(ns)));
  }
}

void RecordingSoundSource::RenderPeriod(std::span<std::int16_t> stereo, Time now, Time latency) {
  const auto frames = static_cast<long long>(stereo.size() / 2);
  if (!playing_.load(std::memory_order_acquire)) {
    std::fill(stereo.begin(), stereo.end(), std::int16_t{0});
  } else {
    const double factor = factor_.load(std::memory_order_relaxed);
    Publish(now + latency, position_, factor);
    if (!stretching_ && factor != 1.0) StartStretching(factor);
    if (stretching_) {
      Stretch(stereo, factor);
    } else {
      Copy(stereo);
    }
    // The fade-in of the start.
    const auto fade = static_cast<long long>(kFadeInMs * rate_ / 1000.0);
    for (long long i = 0; i < frames && played_ + i < fade; ++i) {
      const double gain = static_cast<double>(played_ + i) / static_cast<double>(fade);
      for (std::size_t c = 0; c < 2; ++c) {
        auto& s = stereo[static_cast<std::size_t>(2 * i) + c];
        s = static_cast<std::int16_t>(std::lround(s * gain));
      }
    }
    played_ += frames;
    position_ += static_cast<double>(frames) * factor;
  }
  rendered_.fetch_add(frames, std::memory_order_release);
}

void RecordingSoundSource::Copy(std::span<std::int16_t> stereo) {
  auto frame = static_cast<long long>(std::llround(position_));
  for (std::size_t i = 0; i + 1 < stereo.size(); i += 2, ++frame) {
    const std::int16_t s = frame >= 0 && frame < FrameCount() ? mono_[static_cast<std::size_t>(frame)] : 0;
    stereo[i] = s;
    stereo[i + 1] = s;
  }
}

void RecordingSoundSource::StartStretching(double factor) {
  stretching_ = true;
  ratioFactor_ = factor;
  stretcher_->rb.setTimeRatio(1.0 / factor);
  inputFrame_ = std::llround(position_);
  // Silence ahead of the sound, and as much output dropped, so the first
  // frame kept is the recording's frame at the position.
  auto pad = static_cast<long long>(stretcher_->rb.getPreferredStartPad());
  std::fill(in_.begin(), in_.end(), 0.0F);
  while (pad > 0) {
    const auto n = std::min<long long>(pad, kMaxFeed);
    const float* channels[1] = {in_.data()};
    stretcher_->rb.process(channels, static_cast<std::size_t>(n), false);
    pad -= n;
  }
  toDrop_ = static_cast<long long>(stretcher_->rb.getStartDelay());
}

void RecordingSoundSource::Stretch(std::span<std::int16_t> stereo, double factor) {
  if (factor != ratioFactor_) {
    stretcher_->rb.setTimeRatio(1.0 / factor);
    ratioFactor_ = factor;
  }
  const std::size_t frames = stereo.size() / 2;
  std::size_t done = 0;
  while (done < frames) {
    const int available = stretcher_->rb.available();
    if (available > 0) {
      const auto want = toDrop_ > 0 ? static_cast<std::size_t>(toDrop_) : frames - done;
      const std::size_t n = std::min({static_cast<std::size_t>(available), want, kMaxFeed});
      float* channels[1] = {out_.data()};
      const std::size_t got = stretcher_->rb.retrieve(channels, n);
      if (toDrop_ > 0) {
        toDrop_ -= static_cast<long long>(got);
        continue;
      }
      for (std::size_t i = 0; i < got; ++i) {
        const std::int16_t s = ToSample(out_[i]);
        stereo[2 * (done + i)] = s;
        stereo[2 * (done + i) + 1] = s;
      }
      done += got;
      if (got == 0) break;
      continue;
    }
    // Past the end the stretcher gets silence: the last sound rings out.
    const std::size_t required = stretcher_->rb.getSamplesRequired();
    const std::size_t n = required == 0 ? 256 : std::min(required, kMaxFeed);
    for (std::size_t i = 0; i < n; ++i) {
      const long long frame = inputFrame_ + static_cast<long long>(i);
      in_[i] = frame >= 0 && frame < FrameCount() ? ToFloat(mono_[static_cast<std::size_t>(frame)]) : 0.0F;
    }
    inputFrame_ += static_cast<long long>(n);
    const float* channels[1] = {in_.data()};
    stretcher_->rb.process(channels, n, false);
  }
  std::fill(stereo.begin() + static_cast<std::ptrdiff_t>(2 * done), stereo.end(), std::int16_t{0});
}

}  // namespace rp
