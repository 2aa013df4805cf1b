// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures of the control panel's three picture buttons, drawn in code:
// a black arrow pointing left (rewind), a grey triangle pointing right (play)
// and a traffic light showing red (stop).

#include <QIcon>
#include <QSize>

namespace rp {

QIcon RewindIcon(QSize size);
QIcon PlayIcon(QSize size);
QIcon StopIcon(QSize size);

}  // namespace rp
