// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SIGINT and SIGTERM for the windows: the handler only writes the signal's
// number to a pipe, and the UI thread reads it from there between other
// window events and calls `stop` with it, so the program ends by its one
// orderly path. After the first signal the default handling comes back: a
// second one ends the program at once, as it does again once the object goes.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace rp {

class StopSignals final : public QObject {
  Q_OBJECT
 public:
  explicit StopSignals(std::function<void(int signal)> stop, QObject* parent = nullptr);
  ~StopSignals() override;
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

 private:
  std::function<void(int)> stop_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace rp
