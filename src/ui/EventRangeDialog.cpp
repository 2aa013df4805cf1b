// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/EventRangeDialog.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QObject>

namespace rp {

bool AskEventRange(QWidget* parent, std::optional<EventSpan>& range, std::int32_t eventCount) {
  // Users number events from 1.
  QString text = range ? QStringLiteral("%1-%2").arg(range->first + 1).arg(range->last + 1) : QString();
  for (;;) {
    bool ok = false;
    text = QInputDialog::getText(
        parent, QObject::tr("Event range"),
        QObject::tr("Events the full view shows, FROM-TO (1 to %1; empty for all):").arg(eventCount), QLineEdit::Normal,
        text, &ok);
    if (!ok) return false;
    if (text.trimmed().isEmpty()) {
      range.reset();
      return true;
    }
    if (const std::optional<EventSpan> span = ParseEventSpan(text.toStdString())) {
      range = span;
      return true;
    }
    QMessageBox::warning(parent, QObject::tr("Event range"),
                         QObject::tr("Please give two event numbers FROM-TO, FROM from 1 and at most TO."));
  }
}

}  // namespace rp
