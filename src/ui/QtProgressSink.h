// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress display of loads and replay starts with real widgets: a small
// window holding a bar, placed below and right of the window it belongs to.

#include <cstdint>

#include "frontend/ProgressSink.h"

class QProgressBar;
class QWidget;

namespace rp {

class QtProgressSink final : public ProgressSink {
 public:
  // `window` holds `bar` and is placed relative to `anchor`'s top-left corner.
  QtProgressSink(QWidget& anchor, QWidget& window, QProgressBar& bar) : anchor_(anchor), window_(window), bar_(bar) {}

  void ShowWindow() override;
  void HideWindow() override;
  void SetCaption(std::string_view caption) override;
  // A range the bar cannot take (empty or reversed) leaves the bar as it is;
  // a value outside the range shows as the nearest end.
  void SetMinimum(std::int64_t value) override;
  void SetMaximum(std::int64_t value) override;
  void SetValue(std::int64_t value) override;

 private:
  QWidget& anchor_;
  QWidget& window_;
  QProgressBar& bar_;
};

}  // namespace rp
