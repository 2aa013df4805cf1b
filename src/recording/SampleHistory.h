// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The last few seconds of a recording's mono samples, addressed by their
// sample number from the start of the file: what the onset refinement and the
// loudness of an onset look back at while the file streams past.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace rp {

class SampleHistory {
 public:
  // Holds at least `samples` samples.
  explicit SampleHistory(std::size_t samples) {
    std::size_t size = 1;
    while (size < samples) size *= 2;
    ring_.assign(size, 0.0F);
  }

  void Append(const float* samples, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) ring_[static_cast<std::size_t>(end_ + i) & (ring_.size() - 1)] = samples[i];
    end_ += static_cast<std::int64_t>(count);
  }

  // The first sample still held and the one after the last appended.
  std::int64_t Begin() const { return end_ > static_cast<std::int64_t>(ring_.size()) ? end_ - Capacity() : 0; }
  std::int64_t End() const { return end_; }
  std::int64_t Capacity() const { return static_cast<std::int64_t>(ring_.size()); }

  // Sample `n`, for Begin() <= n < End().
  float At(std::int64_t n) const { return ring_[static_cast<std::size_t>(n) & (ring_.size() - 1)]; }

  // The sum of the squares of the samples from `from` to `to` (exclusive),
  // both clamped to what is held.
  double SumOfSquares(std::int64_t from, std::int64_t to) const;

 private:
  std::vector<float> ring_;
  std::int64_t end_ = 0;
};

}  // namespace rp
