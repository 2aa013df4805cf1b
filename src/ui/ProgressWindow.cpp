// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgressWindow.h"

#include <QProgressBar>
#include <QPushButton>

namespace rp {

ProgressWindow::ProgressWindow(QWidget* owner) : QWidget(owner, Qt::Tool) {
  setObjectName(QStringLiteral("ProgressWindow"));
  setWindowTitle(tr("Processing...."));
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("progressBar"));
  bar_->setGeometry(0, 0, 313, 16);
  bar_->setTextVisible(false);
  bar_->setRange(0, 100);
  bar_->setValue(0);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("cancelButton"));
  cancel_->setEnabled(false);
  const QSize button = cancel_->sizeHint();
  cancel_->setGeometry(bar_->width() - button.width() - 4, bar_->height() + 4, button.width(), button.height());
  setFixedSize(bar_->width(), bar_->height() + button.height() + 8);
}

}  // namespace rp
