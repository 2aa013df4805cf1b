// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small progress window of loads and replay starts ("Processing...." at
// creation): its bar across the whole width, and below it a Cancel button for
// the work that can be cancelled (a load). The control panel owns it and
// places, captions and drives it through its progress sink.

#include <QWidget>

class QProgressBar;
class QPushButton;

namespace rp {

class ProgressWindow final : public QWidget {
  Q_OBJECT
 public:
  explicit ProgressWindow(QWidget* owner = nullptr);
  QProgressBar& Bar() { return *bar_; }
  QPushButton& CancelButton() { return *cancel_; }

 private:
  QProgressBar* bar_;
  QPushButton* cancel_;
};

}  // namespace rp
