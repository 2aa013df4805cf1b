#pragma once
// The value types live with the graphics device, which the scene builds on.
#include "platform/D3DTypes.h"
