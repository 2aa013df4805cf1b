// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes, questions, file dialogs and the list choice of the windows,
// with Qt's own boxes.

#include <QWidget>

#include "frontend/Dialogs.h"

namespace rp {

class QtDialogs final : public Dialogs {
 public:
  // Boxes are centred over `parent` (nullptr: the screen).
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowMessage(std::string_view text, MessageKind kind, std::string_view title = kAppTitle) override;
  std::optional<std::string> OpenFile(const OpenFileRequest& request) override;
  std::optional<std::string> SaveFile(const OpenFileRequest& request) override;
  bool AskYesNo(std::string_view text, std::string_view title = kAppTitle) override;
  std::optional<int> ChooseFromList(std::string_view text, const std::vector<std::string>& items,
                                    std::string_view title = kAppTitle) override;
  std::vector<std::string> OpenFiles(const OpenFileRequest& request) override;

 private:
  QWidget* parent_;
};

// The dialog's types in Qt's form, "label (*.a *.b);;label (*.c)", the labels translated.
QString QtFileFilter(const std::vector<FileType>& fileTypes);

}  // namespace rp
