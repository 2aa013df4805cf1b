// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtProgressSink.h"

#include <QProgressBar>
#include <QWidget>
#include <algorithm>
#include <limits>

#include "ui/Translations.h"

namespace rp {

namespace {

// The window's offset from the anchor's top-left corner.
const QPoint kOffset(100, 133);

// The bar counts in int; counts of a load fit, anything beyond is cut.
int ToInt(std::int64_t value) {
  return static_cast<int>(
      std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

void QtProgressSink::ShowWindow() {
  window_.move(anchor_.pos() + kOffset);
  window_.show();
  window_.raise();
}

void QtProgressSink::HideWindow() { window_.hide(); }

void QtProgressSink::SetCaption(std::string_view caption) { window_.setWindowTitle(TranslatedText(caption)); }

void QtProgressSink::SetMinimum(std::int64_t value) {
  if (value >= bar_.maximum()) return;
  bar_.setMinimum(ToInt(value));
}

void QtProgressSink::SetMaximum(std::int64_t value) {
  if (value <= bar_.minimum()) return;
  bar_.setMaximum(ToInt(value));
}

void QtProgressSink::SetValue(std::int64_t value) {
  bar_.setValue(std::clamp(ToInt(value), bar_.minimum(), bar_.maximum()));
  if (window_.isVisible()) bar_.repaint();
}

}  // namespace rp
