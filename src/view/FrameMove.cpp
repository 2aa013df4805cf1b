#include "view/FrameMove.h"

#include "platform/GraphicsDevice.h"
#include "view/ViewState.h"

namespace rp {

// Neither the plot nor the camera moves yet.
void FrameMove(ViewState&, GraphicsDevice&) {}

}  // namespace rp
