// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A user-visible text with values in it is one format text with numbered
// placeholders ("Cannot open %1: %2"), marked for translation where it is
// written, and the values put in here. The finished text is English; the
// windows translate it by matching it against the formats used so far
// (KnownTextFormats) and put the values into the translated format.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace rp {

// `format` with %1..%9 replaced by `args` (in one pass: a value holding "%2"
// stays as it is; a placeholder without a value is kept). The format is
// remembered for KnownTextFormats.
std::string FormatText(std::string_view format, std::initializer_list<std::string_view> args);

// The same replacement without remembering the format: for a translated one.
std::string FillPlaceholders(std::string_view format, const std::vector<std::string>& args);

// Every format FormatText has been given in this process, the longest first.
std::vector<std::string> KnownTextFormats();

}  // namespace rp
