// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Option values on the command line: the whole text as a number or nothing.

#include <charconv>
#include <optional>
#include <string_view>

namespace rp {

// `text` read by std::from_chars ("." as decimal point, no blanks, no sign
// for unsigned types); nothing when it is empty, not a number of type T, or
// has anything after the number.
template <class T>
std::optional<T> TextNumber(std::string_view text) {
  T value{};
  const char* end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || stop != end || text.empty()) return std::nullopt;
  return value;
}

}  // namespace rp
