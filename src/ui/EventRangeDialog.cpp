// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/EventRangeDialog.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QObject>

namespace rp {

std::optional<EventSpan> AskEventRange(QWidget* parent, const EventSpan& shown, std::int32_t eventCount) {
  QString text =
      shown.first == 0 && shown.last == 0 ? QString() : QStringLiteral("%1-%2").arg(shown.first).arg(shown.last);
  for (;;) {
    bool ok = false;
    text = QInputDialog::getText(
        parent, QObject::tr("Event range"),
        QObject::tr("Events the full view shows, FROM-TO (1 to %1; empty for all):").arg(eventCount), QLineEdit::Normal,
        text, &ok);
    if (!ok) return std::nullopt;
    if (text.trimmed().isEmpty()) return EventSpan{};
    if (const std::optional<EventSpan> span = ParseEventSpan(text.toStdString())) return span;
    QMessageBox::warning(parent, QObject::tr("Event range"),
                         QObject::tr("Please give two event numbers FROM-TO, FROM from 1 and at most TO."));
  }
}

}  // namespace rp
