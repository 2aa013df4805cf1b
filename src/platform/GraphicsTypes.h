#pragma once
// Records and constants the graphics device speaks in. Names and numeric
// values follow the classic fixed-function 3D interface the scene code was
// written against, so state numbers seen in a recording read the same as in
// the drawing code (lighting is render state 137, the world transform 256...).
//
// Matrices are row-vector, left-handed: a point is a row vector multiplied on
// the left (v' = v x M), translation sits in the fourth row, A x B applies A
// first.

#include <cstdint>
#include <string>

#include "platform/D3DTypes.h"

namespace rp {

// 4x4 single-precision matrix stored row by row: m[r][c] is m(r+1)(c+1), so
// the translation is m[3][0], m[3][1], m[3][2].
struct D3DMATRIX {
  float m[4][4];
};

// Packed colour 0xAARRGGBB.
using D3DCOLOR = std::uint32_t;

// Window the device presents into (the toolkit's own window object).
using WindowHandle = void*;

struct RECT {
  std::int32_t left, top, right, bottom;
};

enum D3DTRANSFORMSTATETYPE : std::uint32_t {
  D3DTS_VIEW = 2,
  D3DTS_PROJECTION = 3,
  D3DTS_TEXTURE0 = 16,
  D3DTS_WORLD = 256,
};

enum D3DRENDERSTATETYPE : std::uint32_t {
  D3DRS_ZENABLE = 7,
  D3DRS_FILLMODE = 8,
  D3DRS_SHADEMODE = 9,
  D3DRS_ZWRITEENABLE = 14,
  D3DRS_SRCBLEND = 19,
  D3DRS_DESTBLEND = 20,
  D3DRS_CULLMODE = 22,
  D3DRS_ZFUNC = 23,
  D3DRS_ALPHABLENDENABLE = 27,
  D3DRS_SPECULARENABLE = 29,
  D3DRS_CLIPPING = 136,
  D3DRS_LIGHTING = 137,
  D3DRS_AMBIENT = 139,
  D3DRS_NORMALIZENORMALS = 143,
};

// Values of D3DRS_ZENABLE.
enum D3DZBUFFERTYPE : std::uint32_t { D3DZB_FALSE = 0, D3DZB_TRUE = 1 };
// Values of D3DRS_SHADEMODE.
enum D3DSHADEMODE : std::uint32_t { D3DSHADE_FLAT = 1, D3DSHADE_GOURAUD = 2 };
// Values of D3DRS_CULLMODE.
enum D3DCULL : std::uint32_t { D3DCULL_NONE = 1, D3DCULL_CW = 2, D3DCULL_CCW = 3 };
// Values of D3DRS_SRCBLEND / D3DRS_DESTBLEND.
enum D3DBLEND : std::uint32_t {
  D3DBLEND_ZERO = 1,
  D3DBLEND_ONE = 2,
  D3DBLEND_SRCCOLOR = 3,
  D3DBLEND_INVSRCCOLOR = 4,
  D3DBLEND_SRCALPHA = 5,
  D3DBLEND_INVSRCALPHA = 6,
};

enum D3DTEXTURESTAGESTATETYPE : std::uint32_t {
  D3DTSS_COLOROP = 1,
  D3DTSS_COLORARG1 = 2,
  D3DTSS_COLORARG2 = 3,
  D3DTSS_ALPHAOP = 4,
  D3DTSS_ADDRESSU = 13,
  D3DTSS_ADDRESSV = 14,
  D3DTSS_MAGFILTER = 16,
  D3DTSS_MINFILTER = 17,
  D3DTSS_MIPFILTER = 18,
};
// Values of the filter stage states.
enum D3DTEXTUREFILTERTYPE : std::uint32_t {
  D3DTEXF_NONE = 0,
  D3DTEXF_POINT = 1,
  D3DTEXF_LINEAR = 2,
};

enum D3DPRIMITIVETYPE : std::uint32_t {
  D3DPT_POINTLIST = 1,
  D3DPT_LINELIST = 2,
  D3DPT_LINESTRIP = 3,
  D3DPT_TRIANGLELIST = 4,
  D3DPT_TRIANGLESTRIP = 5,
  D3DPT_TRIANGLEFAN = 6,
};

// Flexible vertex format bits. The lines and plates use 274 =
// position + normal + one texture pair; meshes are position + normal.
enum : std::uint32_t {
  D3DFVF_XYZ = 0x002,
  D3DFVF_NORMAL = 0x010,
  D3DFVF_DIFFUSE = 0x040,
  D3DFVF_TEX1 = 0x100,
};
inline constexpr std::uint32_t kFvfPositionNormalTex1 = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;  // 274
inline constexpr std::uint32_t kFvfPositionNormal = D3DFVF_XYZ | D3DFVF_NORMAL;                     // 18

// One vertex of format 274 (32 bytes).
struct VertexPNT {
  float x, y, z;
  float nx, ny, nz;
  float tu, tv;
};
static_assert(sizeof(VertexPNT) == 32);

// Clear flags.
enum : std::uint32_t {
  D3DCLEAR_TARGET = 1,
  D3DCLEAR_ZBUFFER = 2,
  D3DCLEAR_STENCIL = 4,
};

enum D3DLIGHTTYPE : std::uint32_t {
  D3DLIGHT_POINT = 1,
  D3DLIGHT_SPOT = 2,
  D3DLIGHT_DIRECTIONAL = 3,
};

enum D3DFORMAT : std::uint32_t {
  D3DFMT_UNKNOWN = 0,
  D3DFMT_R8G8B8 = 20,
  D3DFMT_A8R8G8B8 = 21,
  D3DFMT_X8R8G8B8 = 22,
  D3DFMT_R5G6B5 = 23,
  D3DFMT_D16 = 80,
  D3DFMT_D24S8 = 75,
};

enum D3DPOOL : std::uint32_t {
  D3DPOOL_DEFAULT = 0,
  D3DPOOL_MANAGED = 1,
  D3DPOOL_SYSTEMMEM = 2,
};

// 1 is the hardware device, 2 the software reference rasterizer.
enum D3DDEVTYPE : std::uint32_t {
  D3DDEVTYPE_HAL = 1,
  D3DDEVTYPE_REF = 2,
};

// Device creation flags.
enum : std::uint32_t {
  D3DCREATE_SOFTWARE_VERTEXPROCESSING = 32,
  D3DCREATE_HARDWARE_VERTEXPROCESSING = 64,
};

enum D3DSWAPEFFECT : std::uint32_t {
  D3DSWAPEFFECT_DISCARD = 1,
  D3DSWAPEFFECT_FLIP = 2,
  D3DSWAPEFFECT_COPY = 3,
};

// Result of TestCooperativeLevel.
enum class CooperativeLevel {
  Ready,           // draw as usual
  DeviceLost,      // lost and not yet resettable: skip the frame
  DeviceNotReset,  // lost but resettable: Reset, then draw
};

// Font DrawText format flags.
enum : std::uint32_t {
  DT_TOP = 0x0,
  DT_LEFT = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10,
  DT_SINGLELINE = 0x20,
  DT_NOCLIP = 0x100,
  DT_CALCRECT = 0x400,  // 1024: compute the text's rectangle, draw nothing
};

struct D3DMATERIAL {
  D3DCOLORVALUE Diffuse;
  D3DCOLORVALUE Ambient;
  D3DCOLORVALUE Specular;
  D3DCOLORVALUE Emissive;
  float Power;
};
static_assert(sizeof(D3DMATERIAL) == 68);

struct D3DLIGHT {
  D3DLIGHTTYPE Type;
  D3DCOLORVALUE Diffuse;
  D3DCOLORVALUE Specular;
  D3DCOLORVALUE Ambient;
  D3DVECTOR Position;
  D3DVECTOR Direction;
  float Range;
  float Falloff;
  float Attenuation0;
  float Attenuation1;
  float Attenuation2;
  float Theta;
  float Phi;
};

struct D3DVIEWPORT {
  std::uint32_t X, Y, Width, Height;
  float MinZ, MaxZ;
};

struct D3DDISPLAYMODE {
  std::uint32_t Width, Height, RefreshRate;
  D3DFORMAT Format;
};

// The capabilities the program reads; a device fills what it knows.
struct D3DCAPS {
  D3DDEVTYPE DeviceType;
  std::uint32_t AdapterOrdinal;
  std::uint32_t MaxTextureWidth;
  std::uint32_t MaxTextureHeight;
  std::uint32_t MaxActiveLights;
  std::uint32_t MaxPrimitiveCount;
  std::uint32_t MaxVertexIndex;
};

struct D3DPRESENT_PARAMETERS {
  std::uint32_t BackBufferWidth;   // 0: the client width
  std::uint32_t BackBufferHeight;  // 0: the client height
  D3DFORMAT BackBufferFormat;
  std::uint32_t BackBufferCount;
  std::uint32_t MultiSampleType;
  D3DSWAPEFFECT SwapEffect;
  WindowHandle hDeviceWindow;
  std::uint32_t Windowed;
  std::uint32_t EnableAutoDepthStencil;
  D3DFORMAT AutoDepthStencilFormat;
  std::uint32_t Flags;
  std::uint32_t FullScreen_RefreshRateInHz;
  std::uint32_t FullScreen_PresentationInterval;
};

// Description of a window font from which a device font is made.
struct FontDesc {
  std::string faceName;  // e.g. "DejaVu Sans"
  float pointSize = 12.0f;
  std::int32_t weight = 400;  // 400 normal, 700 bold
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
};

}  // namespace rp
