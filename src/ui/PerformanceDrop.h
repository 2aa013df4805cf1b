// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Performance files dropped on a window: one file opens as the main
// performance; of several, the first does and the rest are added for
// comparison; dropped with Ctrl held, all are added for comparison. Only
// local files are taken.

#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QMimeData;
class QWidget;

namespace rp {

// The local files of a drop, in the dropped order.
std::vector<std::string> DroppedFiles(const QMimeData& data);

class PerformanceDrop final : public QObject {
  Q_OBJECT
 public:
  struct Hooks {
    // The control panel's open, then its add for comparison once the main
    // performance is loaded.
    std::function<void(const std::string&, const std::vector<std::string>&)> openMain;
    std::function<void(const std::vector<std::string>&)> addCompared;  // and its add for comparison
  };

  explicit PerformanceDrop(Hooks hooks, QObject* parent = nullptr);

  // `window` (and the children it holds) takes drops from now on.
  void Watch(QWidget& window);

  // What a drop of `files` does, with Ctrl held or not; the drop handler runs
  // it once the drag has ended, so a message it shows does not hold the
  // dragging program.
  void Open(const std::vector<std::string>& files, bool allCompared);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Hooks hooks_;
};

}  // namespace rp
