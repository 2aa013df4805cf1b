// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An exact fraction for score positions and durations: MusicXML counts in
// divisions of a quarter that may change from bar to bar, and tuplets make
// thirds and fifths, so positions are kept exact until they are printed or
// compared with a performance.

#include <cstdint>
#include <numeric>
#include <string>

namespace rp {

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
    return {a.num_ * (b.den_ / std::gcd(a.den_, b.den_)) + b.num_ * (a.den_ / std::gcd(a.den_, b.den_)),
            a.den_ / std::gcd(a.den_, b.den_) * b.den_};
  }
  friend constexpr Rational operator-(Rational a, Rational b) { return a + Rational(-b.num_, b.den_); }
  friend constexpr Rational operator*(Rational a, Rational b) {
    const std::int64_t g1 = std::gcd(a.num_, b.den_) == 0 ? 1 : std::gcd(a.num_, b.den_);
    const std::int64_t g2 = std::gcd(b.num_, a.den_) == 0 ? 1 : std::gcd(b.num_, a.den_);
    return {(a.num_ / g1) * (b.num_ / g2), (a.den_ / g2) * (b.den_ / g1)};
  }
  friend constexpr Rational operator/(Rational a, Rational b) { return a * Rational(b.den_, b.num_); }
  Rational& operator+=(Rational b) { return *this = *this + b; }
  Rational& operator-=(Rational b) { return *this = *this - b; }
  friend constexpr bool operator==(Rational a, Rational b) { return a.num_ == b.num_ && a.den_ == b.den_; }
  friend constexpr bool operator<(Rational a, Rational b) { return (a - b).num_ < 0; }
  friend constexpr bool operator>(Rational a, Rational b) { return b < a; }
  friend constexpr bool operator<=(Rational a, Rational b) { return !(b < a); }
  friend constexpr bool operator>=(Rational a, Rational b) { return !(a < b); }

 private:
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
