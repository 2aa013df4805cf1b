// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text habits that performance files, scatter files and the windows have
// always had, in one place: numbers read leniently by their leading number,
// rounding halves to the even neighbour, numbers written under a small
// pattern, and the control panel's time display.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rp {

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
NumberReading ReadNumber(std::string_view text);
// The same as a plain value: text without a number, and a number too large
// for a double, read 0.
double ReadNumberPrefix(std::string_view text);

// A scatter file's number: the same, and "&H" / "&O" (either case) start a
// hexadecimal / octal integer of up to 32 bits, read as a signed 32-bit value
// ("&HFF000000" is -16777216).
NumberReading ReadFieldNumber(std::string_view field);
// The same as a plain value; nothing when it does not fit.
std::optional<double> ReadLeadingNumber(std::string_view field);

// Whether the whole field, apart from surrounding spaces and tabs, is one
// number in the scatter file's forms (no skipped inner blanks, nothing trailing).
bool IsWholeNumber(std::string_view field);

// Rounded to the nearest whole number, halves to the even neighbour (2.5
// gives 2, 3.5 gives 4): how every number read from a file becomes a whole one.
double RoundHalfEven(double value);

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

// ---- Numbers written under a pattern
//
// Numbers in the hover label, written under a small format pattern such as
// "0.000": the '0' and '#' before the decimal point give the minimum number
// of integer digits ('0' counts, '#' does not), the '0' and '#' after it the
// number of decimals; the value is rounded to that many decimals, halves away
// from zero. Anything else in the pattern is copied as it stands. An empty
// pattern writes the shortest text that reads back as the same number.

// `decimalSeparator` replaces the "." of the pattern. A result that rounds to
// zero carries no minus sign. Infinities and NaN are written "inf", "-inf",
// "nan".
std::string FormatNumber(double value, std::string_view pattern, std::string_view decimalSeparator);

// The decimal separator of the user's regional settings (LC_NUMERIC / LANG
// as the environment gives them); "." when those cannot be read.
std::string UserDecimalSeparator();

// ---- The time display
//
// A performance time in ms as a clock reads it, to the tenth of a second:
// hours, then minutes and seconds of two digits and the tenths begun (125480
// ms reads "0:02:05.4"); a time before the start gets a minus sign.
std::string FormatTimeDisplay(double ms);

}  // namespace rp
