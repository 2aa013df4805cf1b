// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tempo curve: one series of every shown performance value by value
// against the onset time (or the event number), the main performance's
// current event marked.

#include <QPointF>
#include <optional>

#include "ui/ChartView.h"

namespace rp {

class TempoCurveView final : public ChartView {
  Q_OBJECT
 public:
  explicit TempoCurveView(QWidget* parent = nullptr);

  // Against the onset time in seconds, or against the event number.
  void SetAgainstEventNumber(bool byNumber);

  // Where the current-event mark is drawn on the window; none when nothing
  // is marked.
  std::optional<QPointF> MarkPosition() const;
};

}  // namespace rp
