// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers read from text, in the program's two ways: strictly (the whole text
// is one number, for options and the newer formats: match files, lists of
// times, scores) and leniently by the leading number (ASCII MIDI listings and
// scatter files, as their formats describe).

#include <charconv>
#include <cstddef>
#include <optional>
#include <string_view>

namespace rp {

// ---- Numbers read strictly

// `text` read by std::from_chars ("." as decimal point, no blanks, no "+", no
// sign for unsigned types); nothing when it is empty, not a number of type T,
// or has anything after the number.
template <class T>
std::optional<T> StrictNumber(std::string_view text) {
  T value{};
  const char* end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || stop != end || text.empty()) return std::nullopt;
  return value;
}

// The whole number that starts `text` (after blanks, an optional "+" or
// "-" and digits) and, in `taken`, how many characters it used; nothing
// when no digit starts it or it is beyond T. For counts written with more
// after them: a score's bar numbers ("12a"), added beats ("3+2"), endings ("1, 2").
template <class T>
std::optional<T> LeadingWholeNumber(std::string_view text, std::size_t* taken = nullptr) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\n')) ++at;
  const bool minus = at < text.size() && text[at] == '-';
  if (at < text.size() && (text[at] == '+' || minus)) ++at;
  T value{};
  const char* begin = text.data() + at;
  const auto [stop, ec] = std::from_chars(begin, text.data() + text.size(), value);
  if (ec != std::errc() || stop == begin) return std::nullopt;
  if (taken != nullptr) *taken = static_cast<std::size_t>(stop - text.data());
  return minus ? static_cast<T>(-value) : value;
}

// ---- Numbers read leniently
//
// A number is read by its leading number: blanks, tabs and line feeds
// anywhere are ignored; then an optional sign, digits, an optional "." with
// more digits ("." whatever the locale) and an optional exponent ("E" or "D",
// either case, with optional sign and digits) are taken, up to the first
// character that does not fit. A number too small for a double reads 0.

// What a lenient reading found: a number, or text without one told apart
// from the number 0.
struct NumberReading {
  double value = 0.0;     // 0 without a number, or for one too large
  bool found = false;     // a digit was taken
  bool tooLarge = false;  // beyond the range of a double; "&H"/"&O" beyond 32 bits
  bool Ok() const { return found && !tooLarge; }
};

// A note line's number.
NumberReading ReadLeadingNumber(std::string_view text);
// The same as a plain value: text without a number, and a number too large
// for a double, read 0.
double ReadNumberPrefix(std::string_view text);

// A scatter file's number: the same, and "&H" / "&O" (either case) start a
// hexadecimal / octal integer of up to 32 bits, read as a signed 32-bit value
// ("&HFF000000" is -16777216).
NumberReading ReadFieldNumber(std::string_view field);

// Whether the whole field, apart from surrounding spaces and tabs, is one
// number in the scatter file's forms (no skipped inner blanks, nothing trailing).
bool IsWholeNumber(std::string_view field);

// The rounding of ReadByteNumber for any text.
int RoundedByteNumber(std::string_view text);

// The leading number rounded to the nearest integer, halves to the even
// neighbour; -1 when the text holds no number or that lies outside 0 to 255.
// Inline for the case of nearly every key and velocity: spaces around at
// most three digits, read without a double.
inline int ReadByteNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  const std::size_t digits = i;
  unsigned value = 0;
  while (i < text.size() && i - digits < 3 && text[i] >= '0' && text[i] <= '9') {
    value = value * 10 + static_cast<unsigned>(text[i++] - '0');
  }
  std::size_t rest = i;
  while (rest < text.size() && text[rest] == ' ') ++rest;
  if (i > digits && rest == text.size()) return value <= 255 ? static_cast<int>(value) : -1;
  return RoundedByteNumber(text);
}

}  // namespace rp
