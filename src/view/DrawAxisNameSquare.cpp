#include "view/DrawAxisNameSquare.h"

#include "platform/GraphicsDevice.h"
#include "view/ViewState.h"

namespace rp {

// The plates are not drawn yet.
void DrawAxisNameSquare(ViewState&, GraphicsDevice&, std::int32_t) {}

}  // namespace rp
