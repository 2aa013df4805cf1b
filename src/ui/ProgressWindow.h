// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small progress window of loads and replay starts ("Processing...." at
// creation): nothing but its bar, across the whole width. The control panel
// owns it and places, captions and drives it through its progress sink.

#include <QWidget>

class QProgressBar;

namespace rp {

class ProgressWindow final : public QWidget {
  Q_OBJECT
 public:
  explicit ProgressWindow(QWidget* owner = nullptr);
  QProgressBar& Bar() { return *bar_; }

 private:
  QProgressBar* bar_;
};

}  // namespace rp
