// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScriptedDialogs.h"

namespace rp {

void ScriptedDialogs::ShowMessage(std::string_view text, MessageKind kind, std::string_view title) {
  messages.push_back({std::string(text), kind, std::string(title)});
}

namespace {

template <class T>
T Next(std::vector<T>& answers, T none) {
  if (answers.empty()) return none;
  T answer = answers.front();
  answers.erase(answers.begin());
  return answer;
}

}  // namespace

std::optional<std::string> ScriptedDialogs::OpenFile(const OpenFileRequest& request) {
  requests.push_back(request);
  return Next<std::optional<std::string>>(fileAnswers, std::nullopt);
}

std::optional<std::string> ScriptedDialogs::SaveFile(const OpenFileRequest& request) {
  requests.push_back(request);
  return Next<std::optional<std::string>>(fileAnswers, std::nullopt);
}

bool ScriptedDialogs::AskYesNo(std::string_view text, std::string_view) {
  questions.emplace_back(text);
  return Next(yesNoAnswers, false);
}

std::optional<int> ScriptedDialogs::ChooseFromList(std::string_view text, const std::vector<std::string>&,
                                                   std::string_view) {
  questions.emplace_back(text);
  return Next<std::optional<int>>(listAnswers, std::nullopt);
}

}  // namespace rp
