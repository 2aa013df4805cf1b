#include "view/DrawOverlays.h"

#include "platform/GraphicsDevice.h"
#include "view/ViewState.h"

namespace rp {

// The lines are not drawn yet.
void DrawOverlays(ViewState&, GraphicsDevice&) {}

}  // namespace rp
