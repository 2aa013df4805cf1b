// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgressWindow.h"

#include <QProgressBar>

#include "ui/Twips.h"

namespace rp {

ProgressWindow::ProgressWindow(QWidget* owner) : QWidget(owner, Qt::Tool) {
  setObjectName(QStringLiteral("ProgressWindow"));
  setWindowTitle(tr("Processing...."));
  setFixedSize(Px(4695), Px(240));
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("progressBar"));
  bar_->setGeometry(0, 0, width(), height());
  bar_->setTextVisible(false);
  bar_->setRange(0, 100);
  bar_->setValue(0);
}

}  // namespace rp
