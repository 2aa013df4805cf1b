#pragma once
// Dialogs for tests: answers file dialogs from a queue (nothing queued means
// cancel) and keeps every message and request.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Dialogs.h"

namespace rp {

class ScriptedDialogs final : public Dialogs {
 public:
  struct Message {
    std::string text;
    MessageKind kind;
    std::string title;
  };
  void ShowMessage(std::string_view text, MessageKind kind,
                   std::string_view title = kAppTitle) override;
  std::optional<std::string> OpenFile(const OpenFileRequest& request) override;

  std::vector<std::optional<std::string>> fileAnswers;  // consumed front first
  std::vector<Message> messages;
  std::vector<OpenFileRequest> requests;
};

}  // namespace rp
