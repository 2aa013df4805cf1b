// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/NumberPattern.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace rp {

namespace {

bool IsDigitPlaceholder(char c) { return c == '0' || c == '#'; }

// The placeholder run of the pattern: where it starts and ends, how many '0'
// stand before the decimal point and how many placeholders after it.
struct NumberPart {
  std::size_t begin = std::string_view::npos, end = std::string_view::npos;
  int minIntegerDigits = 0;
  int decimals = 0;
  bool hasPoint = false;
};

NumberPart FindNumberPart(std::string_view pattern) {
  NumberPart part;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    const bool point = c == '.' && !part.hasPoint;
    if (!IsDigitPlaceholder(c) && !point) {
      if (part.begin != std::string_view::npos) break;
      continue;
    }
    if (part.begin == std::string_view::npos) part.begin = i;
    part.end = i + 1;
    if (point) {
      part.hasPoint = true;
    } else if (part.hasPoint) {
      ++part.decimals;
    } else if (c == '0') {
      ++part.minIntegerDigits;
    }
  }
  return part;
}

// The integer digits and `decimals` fraction digits of v >= 0, rounded half up.
void RoundedDigits(double v, int decimals, std::string& integer, std::string& fraction) {
  constexpr int kExtraDigits = 25;
  const int precision = decimals + kExtraDigits;
  std::string text(static_cast<std::size_t>(std::snprintf(nullptr, 0, "%.*f", precision, v)), '\0');
  std::snprintf(text.data(), text.size() + 1, "%.*f", precision, v);
  const std::size_t point = text.find('.');
  std::string kept = text.substr(0, point) + text.substr(point + 1, static_cast<std::size_t>(decimals));
  if (text[point + 1 + static_cast<std::size_t>(decimals)] >= '5') {
    std::size_t i = kept.size();
    while (i > 0 && kept[i - 1] == '9') kept[--i] = '0';
    if (i == 0) {
      kept = "1" + kept;
    } else {
      ++kept[i - 1];
    }
  }
  const std::size_t integerDigits = kept.size() - static_cast<std::size_t>(decimals);
  integer = kept.substr(0, integerDigits);
  fraction = kept.substr(integerDigits);
}

std::string NonFinite(double value) {
  if (std::isnan(value)) return "nan";
  return value < 0 ? "-inf" : "inf";
}

}  // namespace

std::string FormatNumber(double value, std::string_view pattern, std::string_view decimalSeparator) {
  if (!std::isfinite(value)) return NonFinite(value);
  if (pattern.empty()) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    std::string text(buf, res.ptr);
    const auto dot = text.find('.');
    if (dot != std::string::npos) text.replace(dot, 1, decimalSeparator);
    return text;
  }
  const NumberPart part = FindNumberPart(pattern);
  if (part.begin == std::string_view::npos) return std::string(pattern);

  // |value| rounded to the decimals, halves away from zero as a reader
  // expects ("0.0625" under "0.000" gives "0.063"). The exact binary value is
  // written with extra digits and rounded on its decimal digits; digits cut
  // off beyond those only ever make the value larger, which rounds the same way.
  std::string integer, fraction;
  RoundedDigits(std::fabs(value), part.decimals, integer, fraction);
  if (integer == "0" && part.minIntegerDigits == 0) integer.clear();
  const auto minDigits = static_cast<std::size_t>(part.minIntegerDigits);
  if (integer.size() < minDigits) integer = std::string(minDigits - integer.size(), '0') + integer;

  const bool allZero = (integer + fraction).find_first_not_of('0') == std::string::npos;
  std::string number = (value < 0 && !allZero) ? "-" : "";
  number += integer;
  if (part.decimals > 0) {
    number += decimalSeparator;
    number += fraction;
  }
  std::string out(pattern.substr(0, part.begin));
  out += number;
  out += pattern.substr(part.end);
  return out;
}

}  // namespace rp
