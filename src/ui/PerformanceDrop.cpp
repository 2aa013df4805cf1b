// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PerformanceDrop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace rp {

std::vector<std::string> DroppedFiles(const QMimeData& data) {
  std::vector<std::string> files;
  if (!data.hasUrls()) return files;
  for (const QUrl& url : data.urls())
    if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdString());
  return files;
}

PerformanceDrop::PerformanceDrop(Hooks hooks, QObject* parent) : QObject(parent), hooks_(std::move(hooks)) {}

void PerformanceDrop::Watch(QWidget& window) {
  window.setAcceptDrops(true);
  window.installEventFilter(this);
}

void PerformanceDrop::Open(const std::vector<std::string>& files, bool allCompared) {
  if (files.empty()) return;
  if (allCompared) {
    if (hooks_.addCompared) hooks_.addCompared(files);
    return;
  }
  if (hooks_.openMain) hooks_.openMain(files.front(), {files.begin() + 1, files.end()});
}

bool PerformanceDrop::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDropEvent*>(event);
      if (drag->mimeData() == nullptr || DroppedFiles(*drag->mimeData()).empty()) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (drop->mimeData() == nullptr) return false;
      std::vector<std::string> files = DroppedFiles(*drop->mimeData());
      if (files.empty()) return false;
      const bool allCompared = drop->modifiers().testFlag(Qt::ControlModifier);
      drop->acceptProposedAction();
      QTimer::singleShot(0, this, [this, files = std::move(files), allCompared] { Open(files, allCompared); });
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}

}  // namespace rp
