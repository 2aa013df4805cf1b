// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers written under a small format pattern such as "0.000", as the hover
// label shows them: the '0' and '#' before the decimal point give the minimum
// number of integer digits ('0' counts, '#' does not), the '0' and '#' after
// it the number of decimals; the value is rounded to that many decimals,
// halves away from zero. Anything else in the pattern is copied as it stands.
// An empty pattern writes the shortest text that reads back as the same
// number.

#include <string>
#include <string_view>

namespace rp {

// `decimalSeparator` replaces the "." of the pattern. A result that rounds to
// zero carries no minus sign. Infinities and NaN are written "inf", "-inf",
// "nan".
std::string FormatNumber(double value, std::string_view pattern, std::string_view decimalSeparator);

}  // namespace rp
