// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one door to everything modal: message boxes, questions, the file-open
// and file-save dialogs and the choice from a list.
// The windows use the Qt implementation; batch runs print the messages.

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rp {

// The title every message box carries.
inline constexpr std::string_view kAppTitle = "returnplot";

enum class MessageKind { Information, Error };

// One entry of a file dialog's list of types: its name (marked for
// translation where it is written) and the patterns of its files.
struct FileType {
  std::string label;                  // "MIDI files"
  std::vector<std::string> patterns;  // {"*.mid", "*.midi"}
};

struct OpenFileRequest {
  std::string title;                  // dialog caption
  std::vector<FileType> fileTypes;    // in the dialog's order, the first chosen
  std::string initialDir;             // empty: the dialog's own choice
  std::string defaultExtension = {};  // added to a typed name that has none ("txt")
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A message box with an OK button, titled with the application's title
  // unless another is given; returns when the user has dismissed it.
  virtual void ShowMessage(std::string_view text, MessageKind kind, std::string_view title = kAppTitle) = 0;
  // The common file-open dialog: the chosen path, or nothing when cancelled.
  virtual std::optional<std::string> OpenFile(const OpenFileRequest& request) = 0;
  // The common file-save dialog (it asks before replacing a file): the
  // chosen path, or nothing when cancelled.
  virtual std::optional<std::string> SaveFile(const OpenFileRequest& request) = 0;
  // A question with Yes and No; true for Yes.
  virtual bool AskYesNo(std::string_view text, std::string_view title = kAppTitle) = 0;
  // One of `items` (its index), or nothing when cancelled.
  virtual std::optional<int> ChooseFromList(std::string_view text, const std::vector<std::string>& items,
                                            std::string_view title = kAppTitle) = 0;
  // The same dialog allowing several files: the chosen paths in the dialog's
  // order, none when cancelled. Without a dialog of its own: OpenFile's one.
  virtual std::vector<std::string> OpenFiles(const OpenFileRequest& request);
};

// `path` with the request's default extension added when its file name has
// no extension and the file with it exists; else `path` as it is.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

// Batch runs: every message becomes one line on stderr; no file is ever chosen
// interactively (OpenFile answers with the preset path once, then cancels;
// SaveFile and the list are cancelled, every question is answered No).
class ConsoleDialogs final : public Dialogs {
 public:
  // Messages go to `messages` (stderr when null).
  explicit ConsoleDialogs(std::optional<std::string> presetFile = std::nullopt, std::ostream* messages = nullptr)
      : preset_(std::move(presetFile)), messages_(messages) {}
  void ShowMessage(std::string_view text, MessageKind kind, std::string_view title = kAppTitle) override;
  std::optional<std::string> OpenFile(const OpenFileRequest& request) override;
  std::optional<std::string> SaveFile(const OpenFileRequest&) override { return std::nullopt; }
  bool AskYesNo(std::string_view, std::string_view = kAppTitle) override { return false; }
  std::optional<int> ChooseFromList(std::string_view, const std::vector<std::string>&,
                                    std::string_view = kAppTitle) override {
    return std::nullopt;
  }
  int MessageCount() const { return messageCount_; }
  int ErrorCount() const { return errorCount_; }

 private:
  std::optional<std::string> preset_;
  std::ostream* messages_;
  int messageCount_ = 0;
  int errorCount_ = 0;
};

}  // namespace rp
