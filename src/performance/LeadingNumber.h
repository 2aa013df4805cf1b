#pragma once
// Numbers in text files are read by their leading number: blanks, tabs and
// line feeds anywhere are ignored; then an optional sign, digits, an optional
// "." with more digits ("." whatever the locale) and an optional exponent
// ("E" or "D", either case, with optional sign and digits) are taken, up to
// the first character that does not fit. Text without a number reads as 0, and
// so does a number too large for a double.

#include <cstdint>
#include <string_view>

namespace rp {

double ReadLeadingNumber(std::string_view text);

// The leading number rounded to the nearest integer, halves to the even
// neighbour; 0 when that lies outside 0 to 255.
std::uint8_t ReadLeadingByte(std::string_view text);

}  // namespace rp
