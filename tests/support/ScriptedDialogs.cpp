#include "support/ScriptedDialogs.h"

namespace rp {

void ScriptedDialogs::ShowMessage(std::string_view text, MessageKind kind, std::string_view title) {
  messages.push_back({std::string(text), kind, std::string(title)});
}

std::optional<std::string> ScriptedDialogs::OpenFile(const OpenFileRequest& request) {
  requests.push_back(request);
  if (fileAnswers.empty()) return std::nullopt;
  auto answer = fileAnswers.front();
  fileAnswers.erase(fileAnswers.begin());
  return answer;
}

}  // namespace rp
