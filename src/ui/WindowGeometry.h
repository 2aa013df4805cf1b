// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window sizes and places kept between runs (with the stored settings, under
// the window's object name), and put back only where they fit the screens'
// free areas as they are now.

#include <QRect>

class QWidget;

namespace rp {

// `frame` moved (and shrunk where it is larger) so it lies wholly inside
// `available`.
QRect InsideArea(const QRect& frame, const QRect& available);

// Keeps the window's place and size.
void StoreWindowGeometry(const QWidget& window);
// Puts back the kept place and size, moved inside the free area of the
// screen it was on (the primary one if that is gone); false when none is
// kept, so the window's own first placement applies.
bool RestoreWindowGeometry(QWidget& window);

}  // namespace rp
