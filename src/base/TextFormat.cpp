// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TextFormat.h"

#include <algorithm>
#include <mutex>
#include <set>

namespace rp {

namespace {

std::mutex& FormatsMutex() {
  static std::mutex mutex;
  return mutex;
}

std::set<std::string>& Formats() {
  static std::set<std::string> formats;
  return formats;
}

template <typename Args>
std::string Fill(std::string_view format, const Args& args) {
  std::string text;
  text.reserve(format.size());
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] >= '1' && format[i + 1] <= '9') {
      const auto index = static_cast<std::size_t>(format[i + 1] - '1');
      if (index < args.size()) {
        text += *(args.begin() + static_cast<std::ptrdiff_t>(index));
        ++i;
        continue;
      }
    }
    text += format[i];
  }
  return text;
}

}  // namespace

std::string FormatText(std::string_view format, std::initializer_list<std::string_view> args) {
  {
    const std::lock_guard lock(FormatsMutex());
    Formats().emplace(format);
  }
  return Fill(format, args);
}

std::string FillPlaceholders(std::string_view format, const std::vector<std::string>& args) {
  return Fill(format, args);
}

std::vector<std::string> KnownTextFormats() {
  std::vector<std::string> formats;
  {
    const std::lock_guard lock(FormatsMutex());
    formats.assign(Formats().begin(), Formats().end());
  }
  std::stable_sort(formats.begin(), formats.end(),
                   [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
  return formats;
}

}  // namespace rp
