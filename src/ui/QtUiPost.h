// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PostToUi function of the Qt windows: runs each task on the thread of
// the given object (the UI thread) as a queued event, in the order posted.
// Tasks posted after the object is gone are dropped.

#include <QObject>

#include "frontend/UiPost.h"

namespace rp {

PostToUi QtUiPoster(QObject* context);

}  // namespace rp
