// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Recurrence plots and their quantification (RQA) of one series, and
// cross-recurrence of two.
//
// A series x_1..x_N is embedded in m dimensions with delay τ: the vectors
// v_i = (x_i, x_i+τ, ..., x_i+(m−1)τ), i = 1..N' with N' = N − (m−1)τ. Two
// vectors recur when their distance in the maximum norm,
// max_k |x_i+kτ − x_j+kτ|, is at most the radius ε: R_ij = 1. The radius is
// given, or chosen for a recurrence rate q: the smallest distance ε among
// the counted cells such that at least the fraction q of them lie within ε.
//
// Of a recurrence plot, the cells with |i − j| < w (the Theiler window) are
// left out of the recurrence rate and the diagonal lines; w = 1 leaves out
// the main diagonal only, w = 0 nothing. The vertical lines, of laminarity
// and trapping time, are taken over the whole plot, the Theiler window not
// applied. A cross-recurrence plot compares v_i of x with u_j of y and
// leaves nothing out.
//
// With P(l) the number of diagonal lines of exactly l recurrent cells (a
// line ends at a non-recurrent cell or the border) and V(v) that of vertical
// lines, lines of at least l_min = v_min = 2 cells:
//   rr    = recurrent counted cells / counted cells
//   det   = Σ_{l≥2} l·P(l) / Σ_{l≥1} l·P(l)
//   l     = Σ_{l≥2} l·P(l) / Σ_{l≥2} P(l), the mean diagonal line
//   lmax  = the longest diagonal line
//   entr  = −Σ_{l≥2} p(l)·ln p(l), p(l) = P(l) / Σ_{l≥2} P(l)
//   lam   = Σ_{v≥2} v·V(v) / Σ_{v≥1} v·V(v)
//   tt    = Σ_{v≥2} v·V(v) / Σ_{v≥2} V(v), the trapping time
// A recurrence plot is symmetric: its lines are counted in both triangles,
// which changes none of these.
//
// The values must be finite numbers (SeriesStatistics measures nothing of a
// series with another).
//
// No N'×N' matrix is kept for the measures: each row's distances are worked
// out, and the lines are counted as the rows pass.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace rp {

inline constexpr std::int32_t kRecurrenceMinLine = 2;

struct RecurrenceSettings {
  std::int32_t dimension = 2;      // m
  std::int32_t delay = 1;          // τ, in values
  std::optional<double> radius;    // ε in the series' units; empty: from `rate`
  double rate = 0.05;              // q, the recurrence rate the radius is chosen for
  std::int32_t theilerWindow = 1;  // w
};

struct RecurrenceQuantification {
  std::int64_t vectors = 0;      // N' (of x for a cross-recurrence)
  std::optional<double> radius;  // the ε used
  std::optional<double> rate;
  std::optional<double> determinism;
  std::optional<double> meanLine;
  std::optional<double> longestLine;
  std::optional<double> lineEntropy;
  std::optional<double> laminarity;
  std::optional<double> trappingTime;
};

// N − (m − 1)τ, or 0.
std::size_t EmbeddedCount(std::size_t count, const RecurrenceSettings& settings);

// The radius the measures and plots use: the given one, or the one for the
// recurrence rate; empty when no cell is counted (a series of too few values).
std::optional<double> RecurrenceRadius(std::span<const double> x, const RecurrenceSettings& settings);
std::optional<double> CrossRecurrenceRadius(std::span<const double> x, std::span<const double> y,
                                            const RecurrenceSettings& settings);

// All empty but `vectors` when no cell is counted; the ratios are empty when
// there is nothing to divide by (det and lam without recurrences, l, entr and
// tt without lines of 2 cells or more).
RecurrenceQuantification QuantifyRecurrence(std::span<const double> x, const RecurrenceSettings& settings);
RecurrenceQuantification QuantifyCrossRecurrence(std::span<const double> x, std::span<const double> y,
                                                 const RecurrenceSettings& settings);

// A recurrence plot as bits, row i holding R_i1..R_iN' (Theiler window not
// applied: a picture shows every cell).
class RecurrenceMatrix {
 public:
  RecurrenceMatrix() = default;
  RecurrenceMatrix(std::size_t rows, std::size_t columns);
  std::size_t Rows() const { return rows_; }
  std::size_t Columns() const { return columns_; }
  bool At(std::size_t row, std::size_t column) const {
    return ((words_[row * rowWords_ + column / 64] >> (column % 64)) & 1U) != 0;
  }
  void Set(std::size_t row, std::size_t column) {
    words_[row * rowWords_ + column / 64] |= std::uint64_t{1} << (column % 64);
  }

 private:
  std::size_t rows_ = 0;
  std::size_t columns_ = 0;
  std::size_t rowWords_ = 0;
  std::vector<std::uint64_t> words_;
};

// Empty (no rows) where the radius is.
RecurrenceMatrix RecurrencePlot(std::span<const double> x, const RecurrenceSettings& settings);
// Rows from x, columns from y.
RecurrenceMatrix CrossRecurrencePlot(std::span<const double> x, std::span<const double> y,
                                     const RecurrenceSettings& settings);

}  // namespace rp
