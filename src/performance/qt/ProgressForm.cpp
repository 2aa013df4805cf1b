#include "performance/qt/ProgressForm.h"

#include <QProgressBar>

#include "platform/qt/Twips.h"

namespace rp {

ProgressForm::ProgressForm(QWidget* owner) : QWidget(owner, Qt::Tool) {
  setObjectName(QStringLiteral("ProgressForm"));
  setWindowTitle(QStringLiteral("Processing...."));
  setFixedSize(Px(4695), Px(240));
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("ProgressBar1"));
  bar_->setGeometry(0, 0, width(), height());
  bar_->setTextVisible(false);
  bar_->setRange(0, 100);
  bar_->setValue(0);
}

}  // namespace rp
