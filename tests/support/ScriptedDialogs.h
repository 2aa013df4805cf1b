// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialogs for tests: answers file dialogs, questions and list choices from
// queues (nothing queued means cancel or No) and keeps every message and request.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/Dialogs.h"

namespace rp {

class ScriptedDialogs final : public Dialogs {
 public:
  struct Message {
    std::string text;
    MessageKind kind;
    std::string title;
  };
  void ShowMessage(std::string_view text, MessageKind kind, std::string_view title = kAppTitle) override;
  std::optional<std::string> OpenFile(const OpenFileRequest& request) override;
  std::optional<std::string> SaveFile(const OpenFileRequest& request) override;
  bool AskYesNo(std::string_view text, std::string_view title = kAppTitle) override;
  std::optional<int> ChooseFromList(std::string_view text, const std::vector<std::string>& items,
                                    std::string_view title = kAppTitle) override;

  std::vector<std::optional<std::string>> fileAnswers;  // consumed front first (open and save)
  std::vector<bool> yesNoAnswers;                       // consumed front first; none left: No
  std::vector<std::optional<int>> listAnswers;          // consumed front first; none left: cancel
  std::vector<std::string> questions;                   // every question and list text asked
  std::vector<Message> messages;
  std::vector<OpenFileRequest> requests;
};

}  // namespace rp
