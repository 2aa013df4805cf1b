// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An exact fraction for score positions and durations: MusicXML counts in
// divisions of a quarter that may change from bar to bar, and tuplets make
// thirds and fifths, so positions are kept exact until they are printed or
// compared with a performance.

#include <cstdint>
#include <limits>
#include <numeric>
#include <string>

namespace rp {

namespace rational_detail {
// Products of two 64-bit terms are made in 128 bits, so no step overflows.
__extension__ typedef __int128 Wide;  // NOLINT(modernize-use-using): the extension keeps -Wpedantic quiet
constexpr Wide Gcd(Wide a, Wide b) {
  if (a < 0) a = -a;
  if (b < 0) b = -b;
  while (b != 0) {
    const Wide rest = a % b;
    a = b;
    b = rest;
  }
  return a;
}
}  // namespace rational_detail

class Rational {
 public:
  constexpr Rational() = default;
  constexpr Rational(std::int64_t num, std::int64_t den = 1) : num_(num), den_(den) { Normalise(); }  // NOLINT

  constexpr std::int64_t Num() const { return num_; }
  constexpr std::int64_t Den() const { return den_; }
  constexpr double ToDouble() const { return static_cast<double>(num_) / static_cast<double>(den_); }
  // "3/16", "0", "2": as the match files write fractions.
  std::string Text() const {
    return den_ == 1 ? std::to_string(num_) : std::to_string(num_) + "/" + std::to_string(den_);
  }

  friend constexpr Rational operator+(Rational a, Rational b) {
    using rational_detail::Wide;
    const std::int64_t g = std::gcd(a.den_, b.den_);
    return FromWide(Wide{a.num_} * (b.den_ / g) + Wide{b.num_} * (a.den_ / g), Wide{a.den_ / g} * b.den_);
  }
  friend constexpr Rational operator-(Rational a, Rational b) { return a + Rational(-b.num_, b.den_); }
  friend constexpr Rational operator*(Rational a, Rational b) {
    using rational_detail::Wide;
    return FromWide(Wide{a.num_} * b.num_, Wide{a.den_} * b.den_);
  }
  friend constexpr Rational operator/(Rational a, Rational b) { return a * Rational(b.den_, b.num_); }
  Rational& operator+=(Rational b) { return *this = *this + b; }
  Rational& operator-=(Rational b) { return *this = *this - b; }
  friend constexpr bool operator==(Rational a, Rational b) { return a.num_ == b.num_ && a.den_ == b.den_; }
  friend constexpr bool operator<(Rational a, Rational b) {
    using rational_detail::Wide;
    return Wide{a.num_} * b.den_ < Wide{b.num_} * a.den_;
  }
  friend constexpr bool operator>(Rational a, Rational b) { return b < a; }
  friend constexpr bool operator<=(Rational a, Rational b) { return !(b < a); }
  friend constexpr bool operator>=(Rational a, Rational b) { return !(a < b); }

 private:
  // The fraction num/den in lowest terms; one too fine for 64 bits (only a
  // damaged file's note values make one) becomes the nearest 2^-20.
  static constexpr Rational FromWide(rational_detail::Wide num, rational_detail::Wide den) {
    using rational_detail::Wide;
    if (den == 0) return {};
    if (den < 0) {
      num = -num;
      den = -den;
    }
    const Wide g = rational_detail::Gcd(num, den);
    if (g > 1) {
      num /= g;
      den /= g;
    }
    constexpr Wide kMax = std::numeric_limits<std::int64_t>::max();
    if (num <= kMax && num >= -kMax && den <= kMax)
      return {static_cast<std::int64_t>(num), static_cast<std::int64_t>(den)};
    constexpr int kFineBits = 20;
    Wide scaled = den > (Wide{1} << kFineBits) ? num / (den >> kFineBits) : num * (Wide{1} << kFineBits) / den;
    scaled = scaled > kMax ? kMax : scaled < -kMax ? -kMax : scaled;
    return {static_cast<std::int64_t>(scaled), std::int64_t{1} << kFineBits};
  }

  constexpr void Normalise() {
    if (den_ == 0) den_ = 1;  // a zero denominator is taken for a whole number: callers check their divisors
    if (den_ < 0) {
      num_ = -num_;
      den_ = -den_;
    }
    const std::int64_t g = std::gcd(num_, den_);
    if (g > 1) {
      num_ /= g;
      den_ /= g;
    }
  }
  std::int64_t num_ = 0;
  std::int64_t den_ = 1;
};

}  // namespace rp
