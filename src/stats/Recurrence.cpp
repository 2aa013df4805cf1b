// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/Recurrence.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace rp {

namespace {

// The cells of a recurrence or cross-recurrence plot, row by row.
class Cells {
 public:
  Cells(std::span<const double> x, std::span<const double> y, const RecurrenceSettings& settings, bool self)
      : x_(x), y_(y), settings_(settings), self_(self) {
    rows_ = EmbeddedCount(x.size(), settings);
    columns_ = EmbeddedCount(y.size(), settings);
    row_.resize(columns_);
    window_ = self ? static_cast<std::size_t>(std::max(0, settings.theilerWindow)) : 0;
  }
  std::size_t Rows() const { return rows_; }
  std::size_t Columns() const { return columns_; }
  // Whether cell (i, j) counts for the recurrence rate and the diagonal lines.
  bool Counted(std::size_t i, std::size_t j) const { return (i > j ? i - j : j - i) >= window_; }
  std::size_t CountedCells() const {
    if (window_ == 0) return rows_ * columns_;
    std::size_t left = 0;  // the square's cells within the window: the diagonals |k| < w
    for (std::size_t k = 0; k < window_ && k < rows_; ++k) left += k == 0 ? rows_ : 2 * (rows_ - k);
    return rows_ * columns_ - left;
  }
  // How many cells ForEachSearched goes over.
  std::size_t SearchedCells() const {
    if (!self_) return rows_ * columns_;
    const std::size_t gap = std::max<std::size_t>(window_, 1);
    return rows_ > gap ? (rows_ - gap) * (rows_ - gap + 1) / 2 : 0;
  }
  // The distances of v_i to every u_j from column `from` on (the row's
  // entries before it are left as they were).
  const std::vector<double>& Row(std::size_t i, std::size_t from = 0) {
    std::fill(row_.begin() + static_cast<std::ptrdiff_t>(from), row_.end(), 0.0);
    const auto tau = static_cast<std::size_t>(settings_.delay);
    for (std::int32_t k = 0; k < settings_.dimension; ++k) {
      const std::size_t shift = static_cast<std::size_t>(k) * tau;
      const double a = x_[i + shift];
      const double* b = y_.data() + shift;
      for (std::size_t j = from; j < columns_; ++j) row_[j] = std::max(row_[j], std::abs(a - b[j]));
    }
    return row_;
  }
  // Calls `use` with the distance of every cell the radius is chosen from:
  // every cell of a cross-recurrence plot; of a recurrence plot, which is
  // symmetric, only the counted cells right of the main diagonal.
  template <class Use>
  void ForEachSearched(Use use) {
    for (std::size_t i = 0; i < rows_; ++i) {
      const std::size_t from = self_ ? std::min(columns_, i + std::max<std::size_t>(window_, 1)) : 0;
      const std::vector<double>& row = Row(i, from);
      for (std::size_t j = from; j < columns_; ++j) use(row[j]);
    }
  }
  // The k-th smallest (from 1) distance of the counted cells is the
  // returned one of the searched cells; 0 means a zero of the main diagonal.
  std::size_t SearchedRank(std::size_t k) const {
    if (!self_) return k;
    if (window_ > 0) return (k + 1) / 2;
    return k <= rows_ ? 0 : (k - rows_ + 1) / 2;
  }
  // The largest distance any cell can have: the span of the values.
  double Farthest() const {
    const auto [xLow, xHigh] = std::minmax_element(x_.begin(), x_.end());
    const auto [yLow, yHigh] = std::minmax_element(y_.begin(), y_.end());
    return std::max(*xHigh, *yHigh) - std::min(*xLow, *yLow);
  }

 private:
  std::span<const double> x_;
  std::span<const double> y_;
  RecurrenceSettings settings_;
  bool self_ = false;
  std::size_t rows_ = 0;
  std::size_t columns_ = 0;
  std::size_t window_ = 0;
  std::vector<double> row_;
};

// The k-th smallest (from 1) distance of the searched cells, without
// keeping them all: each pass sorts the distances still in question into
// bins by value, and the bin holding the k-th becomes the range of the next
// pass, until few enough are left to sort.
double KthSmallestDistance(Cells& cells, std::size_t k, std::size_t searched) {
  constexpr std::size_t kBins = 4096;
  constexpr std::size_t kFewEnough = std::size_t{1} << 22;
  double lo = 0.0;
  double hi = cells.Farthest();
  std::size_t inRange = searched;
  for (;;) {
    if (lo == hi) return lo;
    const double scale = static_cast<double>(kBins) / (hi - lo);
    // A range too narrow for bins (hi − lo far below the smallest normal
    // number) is sorted whatever its size.
    if (inRange <= kFewEnough || !std::isfinite(scale)) {
      std::vector<double> values;
      values.reserve(inRange);
      cells.ForEachSearched([&](double d) {
        if (d >= lo && d <= hi) values.push_back(d);
      });
      std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(k - 1), values.end());
      return values[k - 1];
    }
    // The bin of a value only grows with the value (every step of the
    // rounded arithmetic keeps the order), so each bin holds one stretch of
    // the values and its smallest and largest bound it.
    std::vector<std::size_t> count(kBins, 0);
    std::vector<double> smallest(kBins, std::numeric_limits<double>::infinity());
    std::vector<double> largest(kBins, -std::numeric_limits<double>::infinity());
    cells.ForEachSearched([&](double d) {
      if (d < lo || d > hi) return;
      const std::size_t bin = std::min(kBins - 1, static_cast<std::size_t>((d - lo) * scale));
      ++count[bin];
      smallest[bin] = std::min(smallest[bin], d);
      largest[bin] = std::max(largest[bin], d);
    });
    std::size_t bin = 0;
    while (k > count[bin]) k -= count[bin++];
    lo = smallest[bin];
    hi = largest[bin];
    inRange = count[bin];
  }
}

std::optional<double> RadiusOf(Cells& cells, const RecurrenceSettings& settings) {
  if (cells.CountedCells() == 0 || cells.Rows() == 0) return std::nullopt;
  if (settings.radius) return *settings.radius;
  const auto total = static_cast<double>(cells.CountedCells());
  const auto k = static_cast<std::size_t>(std::clamp(std::ceil(settings.rate * total), 1.0, total));
  const std::size_t rank = cells.SearchedRank(k);
  if (rank == 0) return 0.0;
  return KthSmallestDistance(cells, rank, cells.SearchedCells());
}

// Lines of each length, counted as they end.
struct LineCounts {
  std::vector<std::int64_t> ofLength;
  void End(std::int64_t& run) {
    if (run > 0) ++ofLength[static_cast<std::size_t>(run)];
    run = 0;
  }
};

// Of the lines of each length: Σ l·P(l) over all, and over those of l_min
// or more, and how many of those there are.
struct LineSums {
  double all = 0.0;
  double inLines = 0.0;
  double lines = 0.0;
};

LineSums SumLines(const std::vector<std::int64_t>& ofLength) {
  LineSums s;
  for (std::size_t l = 1; l < ofLength.size(); ++l) {
    const auto cells = static_cast<double>(l) * static_cast<double>(ofLength[l]);
    s.all += cells;
    if (l >= static_cast<std::size_t>(kRecurrenceMinLine)) {
      s.inLines += cells;
      s.lines += static_cast<double>(ofLength[l]);
    }
  }
  return s;
}

RecurrenceQuantification Quantify(Cells& cells, const RecurrenceSettings& settings) {
  RecurrenceQuantification q;
  q.vectors = static_cast<std::int64_t>(cells.Rows());
  q.radius = RadiusOf(cells, settings);
  if (!q.radius) return q;
  const double radius = *q.radius;
  const std::size_t rows = cells.Rows();
  const std::size_t columns = cells.Columns();
  LineCounts diagonal{std::vector<std::int64_t>(std::max(rows, columns) + 1, 0)};
  LineCounts vertical{std::vector<std::int64_t>(rows + 1, 0)};
  // The open run of each diagonal (j − i + rows − 1) and of each column.
  std::vector<std::int64_t> diagonalRun(rows + columns - 1, 0);
  std::vector<std::int64_t> columnRun(columns, 0);
  std::int64_t recurrent = 0;
  for (std::size_t i = 0; i < rows; ++i) {
    const std::vector<double>& row = cells.Row(i);
    std::int64_t* runs = diagonalRun.data() + (rows - 1 - i);
    for (std::size_t j = 0; j < columns; ++j) {
      const bool near = row[j] <= radius;
      if (near) {
        ++columnRun[j];
      } else {
        vertical.End(columnRun[j]);
      }
      if (!cells.Counted(i, j)) continue;
      if (near) {
        ++runs[j];
        ++recurrent;
      } else {
        diagonal.End(runs[j]);
      }
    }
  }
  for (std::int64_t& run : diagonalRun) diagonal.End(run);
  for (std::int64_t& run : columnRun) vertical.End(run);

  q.rate = static_cast<double>(recurrent) / static_cast<double>(cells.CountedCells());
  const LineSums d = SumLines(diagonal.ofLength);
  const LineSums v = SumLines(vertical.ofLength);
  if (d.all > 0.0) {
    q.determinism = d.inLines / d.all;
    std::size_t longest = diagonal.ofLength.size() - 1;
    while (diagonal.ofLength[longest] == 0) --longest;
    q.longestLine = static_cast<double>(longest);
  }
  if (d.lines > 0.0) {
    q.meanLine = d.inLines / d.lines;
    double entropy = 0.0;
    for (std::size_t l = kRecurrenceMinLine; l < diagonal.ofLength.size(); ++l) {
      if (diagonal.ofLength[l] == 0) continue;
      const double p = static_cast<double>(diagonal.ofLength[l]) / d.lines;
      entropy -= p * std::log(p);
    }
    q.lineEntropy = 0.0 + entropy;
  }
  if (v.all > 0.0) q.laminarity = v.inLines / v.all;
  if (v.lines > 0.0) q.trappingTime = v.inLines / v.lines;
  return q;
}

RecurrenceMatrix Plot(Cells& cells, const RecurrenceSettings& settings) {
  const std::optional<double> radius = RadiusOf(cells, settings);
  if (!radius) return {};
  RecurrenceMatrix matrix(cells.Rows(), cells.Columns());
  for (std::size_t i = 0; i < cells.Rows(); ++i) {
    const std::vector<double>& row = cells.Row(i);
    for (std::size_t j = 0; j < row.size(); ++j)
      if (row[j] <= *radius) matrix.Set(i, j);
  }
  return matrix;
}

bool Embeddable(std::span<const double> x, const RecurrenceSettings& settings) {
  return settings.dimension >= 1 && settings.delay >= 1 && EmbeddedCount(x.size(), settings) > 0;
}

// What `use` makes of the cells of x against y (`self`: a recurrence plot,
// y = x); empty when either series has no embedded vector.
template <class Result>
Result OnCells(std::span<const double> x, std::span<const double> y, const RecurrenceSettings& settings, bool self,
               Result (*use)(Cells&, const RecurrenceSettings&)) {
  if (!Embeddable(x, settings) || !Embeddable(y, settings)) return {};
  Cells cells(x, y, settings, self);
  return use(cells, settings);
}

}  // namespace

std::size_t EmbeddedCount(std::size_t count, const RecurrenceSettings& settings) {
  if (settings.dimension < 1 || settings.delay < 1) return 0;
  const std::size_t span = static_cast<std::size_t>(settings.dimension - 1) * static_cast<std::size_t>(settings.delay);
  return count > span ? count - span : 0;
}

RecurrenceMatrix::RecurrenceMatrix(std::size_t rows, std::size_t columns)
    : rows_(rows), columns_(columns), rowWords_((columns + 63) / 64), words_(rows * rowWords_, 0) {}

std::optional<double> RecurrenceRadius(std::span<const double> x, const RecurrenceSettings& settings) {
  return OnCells<std::optional<double>>(x, x, settings, true, RadiusOf);
}

std::optional<double> CrossRecurrenceRadius(std::span<const double> x, std::span<const double> y,
                                            const RecurrenceSettings& settings) {
  return OnCells<std::optional<double>>(x, y, settings, false, RadiusOf);
}

RecurrenceQuantification QuantifyRecurrence(std::span<const double> x, const RecurrenceSettings& settings) {
  return OnCells<RecurrenceQuantification>(x, x, settings, true, Quantify);
}

RecurrenceQuantification QuantifyCrossRecurrence(std::span<const double> x, std::span<const double> y,
                                                 const RecurrenceSettings& settings) {
  return OnCells<RecurrenceQuantification>(x, y, settings, false, Quantify);
}

RecurrenceMatrix RecurrencePlot(std::span<const double> x, const RecurrenceSettings& settings) {
  return OnCells<RecurrenceMatrix>(x, x, settings, true, Plot);
}

RecurrenceMatrix CrossRecurrencePlot(std::span<const double> x, std::span<const double> y,
                                     const RecurrenceSettings& settings) {
  return OnCells<RecurrenceMatrix>(x, y, settings, false, Plot);
}

}  // namespace rp
