// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/OutputPath.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace rp {

std::string LowerExtension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

std::string OutputPathProblem(std::string_view flag, const std::string& output,
                              std::initializer_list<std::string_view> extensions,
                              const std::vector<std::string>& inputs) {
  const std::string extension = LowerExtension(output);
  if (std::find(extensions.begin(), extensions.end(), extension) == extensions.end()) {
    std::string names;
    for (const std::string_view e : extensions) names += (names.empty() ? "" : " or ") + std::string(e);
    return std::string(flag) + " writes a " + names + " file; \"" + output +
           "\" is not one (the file to write comes first)";
  }
  for (const std::string& input : inputs) {
    std::error_code ec;
    if (std::filesystem::equivalent(output, input, ec)) {
      return std::string(flag) + " would write over its own input \"" + input + "\"; choose another output file";
    }
  }
  return {};
}

}  // namespace rp
