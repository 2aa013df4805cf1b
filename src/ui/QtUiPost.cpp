// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtUiPost.h"

#include <QMetaObject>
#include <QPointer>

namespace rp {

PostToUi QtUiPoster(QObject* context) {
  return [target = QPointer<QObject>(context)](UiTask task) {
    QObject* object = target.data();
    if (!object) return;
    QMetaObject::invokeMethod(object, std::move(task), Qt::QueuedConnection);
  };
}

}  // namespace rp
