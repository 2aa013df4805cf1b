#pragma once
// Numbers read from text fields, leniently: the longest leading number counts
// and anything after it is ignored.
//
//  - Spaces, tabs and line feeds anywhere in the field are skipped
//    ("1 000" is 1000).
//  - An optional sign, digits with at most one "." (always the decimal point,
//    whatever the locale), then an optional exponent: E or D, an optional
//    sign and digits ("1.5D2" is 150).
//  - "&H" / "&O" (either case) start a hexadecimal / octal integer of up to
//    32 bits, read as a signed 32-bit value ("&HFF000000" is -16777216).
//  - A field without a leading number reads as 0.

#include <optional>
#include <string_view>

namespace rp {

// The field's leading number; nothing when it does not fit: a decimal
// beyond the range of a double, or a hexadecimal/octal value above 32 bits.
std::optional<double> ReadLeadingNumber(std::string_view field);

// Whether the whole field, apart from surrounding spaces and tabs, is one
// number in the forms above (no skipped inner blanks, nothing trailing).
bool IsWholeNumber(std::string_view field);

}  // namespace rp
