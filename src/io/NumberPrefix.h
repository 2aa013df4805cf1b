#pragma once
// The numbers of a performance file's note lines, read fast. A number is
// read by its leading number: blanks, tabs and line feeds anywhere are
// ignored; then an optional sign, digits, an optional "." with more digits
// ("." whatever the locale) and an optional exponent ("E" or "D", either
// case, with optional sign and digits) are taken, up to the first character
// that does not fit. Text without a number reads as 0, and
// so does a number too large for a double (the load skips what it cannot
// convert). The scatter reader's `ReadLeadingNumber` (view/) follows the same
// rule, adds "&H"/"&O" integers and reports overflow instead.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rp {

double ReadNumberPrefix(std::string_view text);

// The rounding of ReadBytePrefix for any text.
std::uint8_t RoundedBytePrefix(std::string_view text);

// The leading number rounded to the nearest integer, halves to the even
// neighbour; 0 when that lies outside 0 to 255. Inline for the case of
// nearly every key and velocity: spaces around at most three digits, read
// without a double.
inline std::uint8_t ReadBytePrefix(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  const std::size_t digits = i;
  unsigned value = 0;
  while (i < text.size() && i - digits < 3 && text[i] >= '0' && text[i] <= '9') {
    value = value * 10 + static_cast<unsigned>(text[i++] - '0');
  }
  std::size_t rest = i;
  while (rest < text.size() && text[rest] == ' ') ++rest;
  if (i > digits && rest == text.size()) return value <= 255 ? static_cast<std::uint8_t>(value) : 0;
  return RoundedBytePrefix(text);
}

}  // namespace rp
