// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/Dialogs.h"

#include <filesystem>
#include <iostream>
#include <system_error>

namespace rp {

std::vector<std::string> Dialogs::OpenFiles(const OpenFileRequest& request) {
  std::optional<std::string> path = OpenFile(request);
  if (!path) return {};
  return {std::move(*path)};
}

void ConsoleDialogs::ShowMessage(std::string_view text, MessageKind kind, std::string_view) {
  ++messageCount_;
  errorCount_ += kind == MessageKind::Error ? 1 : 0;
  // One line per message, however many lines the box would have shown.
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  (messages_ != nullptr ? *messages_ : std::cerr) << line << '\n';
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
  const std::filesystem::path typed(path);
  if (extension.empty() || typed.has_extension() || !typed.has_filename()) return path;
  const std::string extended = path + "." + extension;
  std::error_code error;
  return std::filesystem::is_regular_file(extended, error) ? extended : path;
}

std::optional<std::string> ConsoleDialogs::OpenFile(const OpenFileRequest&) {
  auto answer = std::move(preset_);
  preset_.reset();
  return answer;
}

}  // namespace rp
