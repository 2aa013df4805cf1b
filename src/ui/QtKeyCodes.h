// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's key numbers to the virtual-key codes the view's key table uses.

#include <cstdint>

namespace rp {

// The code of a Qt::Key: letters and digits keep their ASCII code (Qt's
// letter keys follow the keyboard layout, so "Y" is the key that types Y),
// arrows are 37 to 40, and the common control keys get their usual codes.
// -1 for keys without a code.
std::int32_t VirtualKeyFromQt(int qtKey);

}  // namespace rp
