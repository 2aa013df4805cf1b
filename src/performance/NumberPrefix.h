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

#include <cstdint>
#include <string_view>

namespace rp {

double ReadNumberPrefix(std::string_view text);

// The leading number rounded to the nearest integer, halves to the even
// neighbour; 0 when that lies outside 0 to 255.
std::uint8_t ReadBytePrefix(std::string_view text);

}  // namespace rp
