// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CameraKeys.h"

#include <Qt>

namespace rp {

std::optional<CameraMove> CameraMoveOfKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Left:
      return CameraMove::TurnLeft;
    case Qt::Key_Right:
      return CameraMove::TurnRight;
    case Qt::Key_Up:
      return CameraMove::TurnUp;
    case Qt::Key_Down:
      return CameraMove::TurnDown;
    case Qt::Key_V:
      return CameraMove::FlyRight;
    case Qt::Key_Y:
      return CameraMove::FlyLeft;
    case Qt::Key_S:
      return CameraMove::FlyUp;
    case Qt::Key_X:
      return CameraMove::FlyDown;
    case Qt::Key_D:
      return CameraMove::FlyForward;
    case Qt::Key_C:
      return CameraMove::FlyBackward;
    default:
      return std::nullopt;
  }
}

}  // namespace rp
