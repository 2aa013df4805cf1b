#include "platform/qt/GlDevice.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/Mesh.h"
#include "platform/qt/GlFont.h"
#include "platform/qt/GlRenderToSurface.h"
#include "platform/qt/GlResources.h"

namespace rp {
namespace {

// D3D blend, compare, texture-operation and addressing values.
enum : std::uint32_t {
  kTopDisable = 1, kTopSelectArg1 = 2, kTopSelectArg2 = 3, kTopModulate = 4,
  kAddressWrap = 1, kAddressMirror = 2, kAddressClamp = 3, kAddressBorder = 4,
  kCmpLessEqual = 4,
  kFillPoint = 1, kFillWireframe = 2, kFillSolid = 3,
};

D3DMATRIX Identity() {
  D3DMATRIX m{};
  for (int i = 0; i < 4; ++i) m.m[i][i] = 1.0f;
  return m;
}

// a x b in the row-vector convention (a applied first).
D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      float s = 0;
      for (int k = 0; k < 4; ++k) s += a.m[i][k] * b.m[k][j];
      r.m[i][j] = s;
    }
  return r;
}

// Inverse of the upper 3x3 (row-major), false when singular.
bool Invert3(const float a[3][3], float out[3][3]) {
  const double det = double(a[0][0]) * (double(a[1][1]) * a[2][2] - double(a[1][2]) * a[2][1]) -
                     double(a[0][1]) * (double(a[1][0]) * a[2][2] - double(a[1][2]) * a[2][0]) +
                     double(a[0][2]) * (double(a[1][0]) * a[2][1] - double(a[1][1]) * a[2][0]);
  if (det == 0.0 || !std::isfinite(det)) return false;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      const int i1 = (j + 1) % 3, i2 = (j + 2) % 3, j1 = (i + 1) % 3, j2 = (i + 2) % 3;
      out[i][j] = float((double(a[i1][j1]) * a[i2][j2] - double(a[i1][j2]) * a[i2][j1]) / det);
    }
  return true;
}

void ColorToFloats(D3DCOLOR c, float out[4]) {
  out[0] = float((c >> 16) & 0xFF) / 255.0f;
  out[1] = float((c >> 8) & 0xFF) / 255.0f;
  out[2] = float(c & 0xFF) / 255.0f;
  out[3] = float((c >> 24) & 0xFF) / 255.0f;
}

GLenum BlendFactor(std::uint32_t b) {
  switch (b) {
    case 1: return GL_ZERO;
    case 2: return GL_ONE;
    case 3: return GL_SRC_COLOR;
    case 4: return GL_ONE_MINUS_SRC_COLOR;
    case 5: return GL_SRC_ALPHA;
    case 6: return GL_ONE_MINUS_SRC_ALPHA;
    case 7: return GL_DST_ALPHA;
    case 8: return GL_ONE_MINUS_DST_ALPHA;
    case 9: return GL_DST_COLOR;
    case 10: return GL_ONE_MINUS_DST_COLOR;
    case 11: return GL_SRC_ALPHA_SATURATE;
    default: return GL_ONE;
  }
}

GLenum CompareFunc(std::uint32_t c) {
  switch (c) {
    case 1: return GL_NEVER;
    case 2: return GL_LESS;
    case 3: return GL_EQUAL;
    case 4: return GL_LEQUAL;
    case 5: return GL_GREATER;
    case 6: return GL_NOTEQUAL;
    case 7: return GL_GEQUAL;
    default: return GL_ALWAYS;
  }
}

GLint AddressMode(std::uint32_t a) {
  switch (a) {
    case kAddressMirror: return GL_MIRRORED_REPEAT;
    case kAddressClamp: return GL_CLAMP_TO_EDGE;
    case kAddressBorder: return GL_CLAMP_TO_BORDER;
    default: return GL_REPEAT;
  }
}

// Vertex count of primitiveCount primitives; GL mode through `mode`.
GLsizei VertexCount(D3DPRIMITIVETYPE type, std::uint32_t n, GLenum& mode) {
  switch (type) {
    case D3DPT_POINTLIST: mode = GL_POINTS; return GLsizei(n);
    case D3DPT_LINELIST: mode = GL_LINES; return GLsizei(2 * n);
    case D3DPT_LINESTRIP: mode = GL_LINE_STRIP; return GLsizei(n + 1);
    case D3DPT_TRIANGLELIST: mode = GL_TRIANGLES; return GLsizei(3 * n);
    case D3DPT_TRIANGLESTRIP: mode = GL_TRIANGLE_STRIP; return GLsizei(n + 2);
    case D3DPT_TRIANGLEFAN: mode = GL_TRIANGLE_FAN; return GLsizei(n + 2);
  }
  throw DeviceError("unknown primitive type");
}

}  // namespace

GlDevice::GlDevice(GlView* view, D3DDEVTYPE type, std::string renderer)
    : type_(type), renderer_(std::move(renderer)) {
  if (view == nullptr || view->context() == nullptr) throw DeviceError("no OpenGL context");
  view->makeCurrent();
  auto gl = std::make_unique<QOpenGLFunctions_3_3_Core>();
  if (!gl->initializeOpenGLFunctions())
    throw DeviceError("the OpenGL context does not offer version 3.3 core");
  gl_ = gl.get();
  context_ = std::make_shared<GlContext>(view, std::move(gl));
  QObject::connect(view, &GlView::ContextLost, [ctx = std::weak_ptr<GlContext>(context_)] {
    if (auto c = ctx.lock()) c->MarkLost();
  });

  // The program of the default states is built now, so a context that
  // cannot compile the shaders fails device creation.
  programs_[SceneProgramKey{}] = BuildSceneProgram(*gl_, SceneProgramKey{});
  text_ = BuildTextProgram(*gl_);
  gl_->glGenVertexArrays(1, &streamVao_);
  gl_->glGenBuffers(1, &streamVbo_);
  gl_->glGenVertexArrays(1, &textVao_);
  gl_->glGenBuffers(1, &textVbo_);
  gl_->glBindVertexArray(textVao_);
  gl_->glBindBuffer(GL_ARRAY_BUFFER, textVbo_);
  gl_->glEnableVertexAttribArray(kAttribPosition);
  gl_->glVertexAttribPointer(kAttribPosition, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
  gl_->glEnableVertexAttribArray(kAttribTexCoord);
  gl_->glVertexAttribPointer(kAttribTexCoord, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float),
                             reinterpret_cast<const void*>(2 * sizeof(float)));
  gl_->glBindVertexArray(0);
  gl_->glGenSamplers(1, &sampler_);

  world_ = view_ = projection_ = Identity();
  // The fixed-function defaults a fresh device starts with.
  renderStates_ = {{D3DRS_ZENABLE, D3DZB_TRUE},      {D3DRS_FILLMODE, kFillSolid},
                   {D3DRS_SHADEMODE, D3DSHADE_GOURAUD}, {D3DRS_ZWRITEENABLE, 1},
                   {D3DRS_SRCBLEND, D3DBLEND_ONE},   {D3DRS_DESTBLEND, D3DBLEND_ZERO},
                   {D3DRS_CULLMODE, D3DCULL_CCW},    {D3DRS_ZFUNC, kCmpLessEqual},
                   {D3DRS_ALPHABLENDENABLE, 0},      {D3DRS_SPECULARENABLE, 0},
                   {D3DRS_CLIPPING, 1},              {D3DRS_LIGHTING, 1},
                   {D3DRS_AMBIENT, 0},               {D3DRS_NORMALIZENORMALS, 0}};
  stageStates_ = {{D3DTSS_COLOROP, kTopModulate}, {D3DTSS_ALPHAOP, kTopSelectArg1},
                  {D3DTSS_ADDRESSU, kAddressWrap}, {D3DTSS_ADDRESSV, kAddressWrap},
                  {D3DTSS_MAGFILTER, D3DTEXF_POINT}, {D3DTSS_MINFILTER, D3DTEXF_POINT},
                  {D3DTSS_MIPFILTER, D3DTEXF_NONE}};
  UploadSampler();
  std::uint32_t w, h;
  BackBufferSize(w, h);
  target_ = {0, w, h, false};
  viewport_ = {0, 0, w, h, 0.0f, 1.0f};
}

GlDevice::~GlDevice() {
  if (!context_->MakeCurrent()) return;
  for (const auto& [key, p] : programs_) gl_->glDeleteProgram(p.id);
  gl_->glDeleteProgram(text_.id);
  gl_->glDeleteVertexArrays(1, &streamVao_);
  gl_->glDeleteVertexArrays(1, &textVao_);
  gl_->glDeleteBuffers(1, &streamVbo_);
  gl_->glDeleteBuffers(1, &textVbo_);
  gl_->glDeleteSamplers(1, &sampler_);
}

void GlDevice::BackBufferSize(std::uint32_t& w, std::uint32_t& h) const {
  const GlView* v = context_->View();
  const qreal dpr = v ? v->devicePixelRatioF() : 1.0;
  w = v ? std::uint32_t(std::lround(v->width() * dpr)) : 0;
  h = v ? std::uint32_t(std::lround(v->height() * dpr)) : 0;
}

void GlDevice::MakeCurrent() {
  if (!context_->MakeCurrent()) throw DeviceError("the OpenGL context is lost");
  // The toolkit may have drawn with this context since our last call (its
  // own paint resets the viewport and the framebuffer binding).
  const GlView* v = context_->View();
  if (context_->Switches() != seenSwitches_ || v->PaintCount() != seenPaints_) {
    seenSwitches_ = context_->Switches();
    seenPaints_ = v->PaintCount();
    rasterDirty_ = true;
  }
}

void GlDevice::BindTarget() {
  const GLuint fbo = target_.fbo != 0 ? target_.fbo : context_->View()->defaultFramebufferObject();
  gl_->glBindFramebuffer(GL_FRAMEBUFFER, fbo);
}

void GlDevice::ApplyRasterState() {
  if (!rasterDirty_) return;
  rasterDirty_ = false;
  BindTarget();
  // Viewport from the top-left in D3D; GL counts rows from the bottom unless
  // the target is stored top row first.
  const GLint y = target_.flipY ? GLint(viewport_.Y)
                                : GLint(target_.height) - GLint(viewport_.Y + viewport_.Height);
  gl_->glViewport(GLint(viewport_.X), y, GLsizei(viewport_.Width), GLsizei(viewport_.Height));
  gl_->glDepthRange(viewport_.MinZ, viewport_.MaxZ);
  gl_->glDisable(GL_SCISSOR_TEST);
  gl_->glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);

  if (renderStates_[D3DRS_ZENABLE] != D3DZB_FALSE) {
    gl_->glEnable(GL_DEPTH_TEST);
    gl_->glDepthFunc(CompareFunc(renderStates_[D3DRS_ZFUNC]));
  } else {
    gl_->glDisable(GL_DEPTH_TEST);
  }
  gl_->glDepthMask(renderStates_[D3DRS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);

  // Front faces wind clockwise on the screen; a target stored top row first
  // is drawn mirrored, which turns the winding round.
  gl_->glFrontFace(target_.flipY ? GL_CCW : GL_CW);
  switch (renderStates_[D3DRS_CULLMODE]) {
    case D3DCULL_NONE: gl_->glDisable(GL_CULL_FACE); break;
    case D3DCULL_CW:
      gl_->glEnable(GL_CULL_FACE);
      gl_->glCullFace(GL_FRONT);
      break;
    default:
      gl_->glEnable(GL_CULL_FACE);
      gl_->glCullFace(GL_BACK);
      break;
  }
  if (renderStates_[D3DRS_ALPHABLENDENABLE]) {
    gl_->glEnable(GL_BLEND);
    gl_->glBlendFunc(BlendFactor(renderStates_[D3DRS_SRCBLEND]),
                     BlendFactor(renderStates_[D3DRS_DESTBLEND]));
  } else {
    gl_->glDisable(GL_BLEND);
  }
  const std::uint32_t fill = renderStates_[D3DRS_FILLMODE];
  gl_->glPolygonMode(GL_FRONT_AND_BACK, fill == kFillPoint       ? GL_POINT
                                        : fill == kFillWireframe ? GL_LINE
                                                                 : GL_FILL);
  gl_->glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
}

CooperativeLevel GlDevice::TestCooperativeLevel() {
  return context_->MakeCurrent() ? CooperativeLevel::Ready : CooperativeLevel::DeviceLost;
}

bool GlDevice::Reset(const D3DPRESENT_PARAMETERS&) {
  // The view's framebuffer always follows the client size; a reset only
  // takes the new size over into the target and the viewport.
  if (!context_->MakeCurrent()) return false;
  std::uint32_t w, h;
  BackBufferSize(w, h);
  target_ = {0, w, h, false};
  viewport_ = {0, 0, w, h, 0.0f, 1.0f};
  rasterDirty_ = true;
  ++statesGen_;
  return true;
}

D3DCAPS GlDevice::GetDeviceCaps() {
  GLint maxTex = 4096;
  if (context_->MakeCurrent()) gl_->glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTex);
  return {type_, 0, std::uint32_t(maxTex), std::uint32_t(maxTex), kMaxLights, 0xFFFFF, 0xFFFFFF};
}

D3DDISPLAYMODE GlDevice::GetDisplayMode() {
  const QScreen* s = QGuiApplication::primaryScreen();
  if (s == nullptr) return {0, 0, 0, D3DFMT_X8R8G8B8};
  return {std::uint32_t(s->size().width()), std::uint32_t(s->size().height()),
          std::uint32_t(std::lround(s->refreshRate())), D3DFMT_X8R8G8B8};
}

void GlDevice::BeginScene() {
  MakeCurrent();
  if (inScene_) throw DeviceError("BeginScene inside a scene");
  inScene_ = true;
  rasterDirty_ = true;
}

void GlDevice::EndScene() {
  if (!inScene_) throw DeviceError("EndScene outside a scene");
  inScene_ = false;
}

void GlDevice::Clear(std::uint32_t flags, D3DCOLOR color, float z, std::uint32_t stencil) {
  MakeCurrent();
  ApplyRasterState();
  // Only the viewport's rectangle is cleared.
  const GLint y = target_.flipY ? GLint(viewport_.Y)
                                : GLint(target_.height) - GLint(viewport_.Y + viewport_.Height);
  gl_->glEnable(GL_SCISSOR_TEST);
  gl_->glScissor(GLint(viewport_.X), y, GLsizei(viewport_.Width), GLsizei(viewport_.Height));
  GLbitfield mask = 0;
  if (flags & D3DCLEAR_TARGET) {
    float c[4];
    ColorToFloats(color, c);
    gl_->glClearColor(c[0], c[1], c[2], c[3]);
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if (flags & D3DCLEAR_ZBUFFER) {
    gl_->glDepthMask(GL_TRUE);
    gl_->glClearDepth(z);
    mask |= GL_DEPTH_BUFFER_BIT;
  }
  if (flags & D3DCLEAR_STENCIL) {
    gl_->glClearStencil(GLint(stencil));
    mask |= GL_STENCIL_BUFFER_BIT;
  }
  gl_->glClear(mask);
  gl_->glDisable(GL_SCISSOR_TEST);
  gl_->glDepthMask(renderStates_[D3DRS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);
}

void GlDevice::Present(WindowHandle) {
  if (!context_->MakeCurrent()) throw DeviceError("the OpenGL context is lost");
  gl_->glFlush();
  context_->View()->update();
}

void GlDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix) {
  switch (state) {
    case D3DTS_WORLD:
      world_ = matrix;
      ++worldGen_;
      break;
    case D3DTS_VIEW:
      view_ = matrix;
      ++cameraGen_;
      break;
    case D3DTS_PROJECTION:
      projection_ = matrix;
      ++cameraGen_;
      break;
    default: break;
  }
}

D3DMATRIX GlDevice::GetTransform(D3DTRANSFORMSTATETYPE state) {
  switch (state) {
    case D3DTS_WORLD: return world_;
    case D3DTS_VIEW: return view_;
    case D3DTS_PROJECTION: return projection_;
    default: return Identity();
  }
}

void GlDevice::SetViewport(const D3DVIEWPORT& viewport) {
  viewport_ = viewport;
  rasterDirty_ = true;
}

D3DVIEWPORT GlDevice::GetViewport() { return viewport_; }

void GlDevice::SetMaterial(const D3DMATERIAL& material) {
  material_ = material;
  ++materialGen_;
}

D3DMATERIAL GlDevice::GetMaterial() { return material_; }

void GlDevice::SetLight(std::uint32_t index, const D3DLIGHT& light) {
  lights_[index] = light;
  ++lightsGen_;
}

void GlDevice::LightEnable(std::uint32_t index, bool enable) {
  lightEnabled_[index] = enable;
  // Enabling a light never set gives the default white directional light.
  if (enable && !lights_.count(index)) {
    D3DLIGHT l{};
    l.Type = D3DLIGHT_DIRECTIONAL;
    l.Diffuse = {1, 1, 1, 0};
    l.Direction = {0, 0, 1};
    l.Range = 1e30f;
    lights_[index] = l;
  }
  ++lightsGen_;
}

void GlDevice::SetRenderState(D3DRENDERSTATETYPE state, std::uint32_t value) {
  renderStates_[state] = value;
  rasterDirty_ = true;
  ++statesGen_;
}

std::uint32_t GlDevice::GetRenderState(D3DRENDERSTATETYPE state) {
  auto it = renderStates_.find(state);
  return it == renderStates_.end() ? 0 : it->second;
}

void GlDevice::SetTexture(std::uint32_t stage, std::shared_ptr<Texture> texture) {
  if (stage != 0) return;  // one texture stage
  if (texture && !dynamic_cast<GlTexture*>(texture.get()))
    throw DeviceError("texture was made by another device");
  texture0_ = std::move(texture);
}

void GlDevice::SetTextureStageState(std::uint32_t stage, D3DTEXTURESTAGESTATETYPE type,
                                    std::uint32_t value) {
  if (stage != 0) return;
  stageStates_[type] = value;
  ++stageGen_;
  if (context_->MakeCurrent()) UploadSampler();
}

void GlDevice::SetVertexShader(std::uint32_t fvf) { fvf_ = fvf; }

void GlDevice::UploadSampler() {
  const std::uint32_t minF = stageStates_[D3DTSS_MINFILTER], mipF = stageStates_[D3DTSS_MIPFILTER];
  const bool minLinear = minF >= D3DTEXF_LINEAR;
  GLint min = minLinear ? GL_LINEAR : GL_NEAREST;
  if (mipF == D3DTEXF_POINT) min = minLinear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
  if (mipF >= D3DTEXF_LINEAR) min = minLinear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
  gl_->glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER, min);
  gl_->glSamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER,
                           stageStates_[D3DTSS_MAGFILTER] >= D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST);
  gl_->glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_S, AddressMode(stageStates_[D3DTSS_ADDRESSU]));
  gl_->glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_T, AddressMode(stageStates_[D3DTSS_ADDRESSV]));
}

void GlDevice::UploadWorld(SceneProgram& p) {
  gl_->glUniformMatrix4fv(p.world, 1, GL_FALSE, &world_.m[0][0]);
  // Normals go through the inverse transpose of the world's upper 3x3
  // (row-vector form: n x (M^-1)^T), uploaded row by row like the matrices.
  float m3[3][3], inv[3][3], nm[3][3];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m3[i][j] = world_.m[i][j];
  if (Invert3(m3, inv)) {
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) nm[i][j] = inv[j][i];
  } else {
    std::memcpy(nm, m3, sizeof nm);
  }
  gl_->glUniformMatrix3fv(p.normalMatrix, 1, GL_FALSE, &nm[0][0]);
}

void GlDevice::UploadCamera(SceneProgram& p) {
  const D3DMATRIX vp = Multiply(view_, projection_);
  gl_->glUniformMatrix4fv(p.viewProj, 1, GL_FALSE, &vp.m[0][0]);
  // The eye in world space: the view's translation taken back through its
  // rotation.
  float v3[3][3], vinv[3][3];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) v3[i][j] = view_.m[i][j];
  float eye[3] = {0, 0, 0};
  if (Invert3(v3, vinv))
    for (int j = 0; j < 3; ++j)
      eye[j] = -(view_.m[3][0] * vinv[0][j] + view_.m[3][1] * vinv[1][j] + view_.m[3][2] * vinv[2][j]);
  gl_->glUniform3fv(p.eye, 1, eye);
}

void GlDevice::UploadMaterial(SceneProgram& p) {
  gl_->glUniform4fv(p.matDiffuse, 1, &material_.Diffuse.r);
  gl_->glUniform4fv(p.matAmbient, 1, &material_.Ambient.r);
  gl_->glUniform4fv(p.matSpecular, 1, &material_.Specular.r);
  gl_->glUniform4fv(p.matEmissive, 1, &material_.Emissive.r);
  gl_->glUniform1f(p.matPower, material_.Power);
}

void GlDevice::UploadLights(SceneProgram& p) {
  float dirs[kMaxLights][3] = {}, pos[kMaxLights][3] = {}, diff[kMaxLights][4] = {},
        amb[kMaxLights][4] = {}, specular[kMaxLights][4] = {}, att[kMaxLights][4] = {};
  int n = 0;
  for (const auto& [index, on] : lightEnabled_) {
    if (!on || n == kMaxLights) continue;
    const D3DLIGHT& l = lights_.at(index);
    // The shader wants the direction towards the light.
    const float len = std::sqrt(l.Direction.x * l.Direction.x + l.Direction.y * l.Direction.y +
                                l.Direction.z * l.Direction.z);
    if (len > 0) {
      dirs[n][0] = -l.Direction.x / len;
      dirs[n][1] = -l.Direction.y / len;
      dirs[n][2] = -l.Direction.z / len;
    }
    pos[n][0] = l.Position.x;
    pos[n][1] = l.Position.y;
    pos[n][2] = l.Position.z;
    std::memcpy(diff[n], &l.Diffuse, sizeof diff[n]);
    std::memcpy(amb[n], &l.Ambient, sizeof amb[n]);
    std::memcpy(specular[n], &l.Specular, sizeof specular[n]);
    att[n][0] = l.Attenuation0;
    att[n][1] = l.Attenuation1;
    att[n][2] = l.Attenuation2;
    att[n][3] = l.Range;
    ++n;
  }
  gl_->glUniform3fv(p.lightDir, kMaxLights, &dirs[0][0]);
  gl_->glUniform3fv(p.lightPos, kMaxLights, &pos[0][0]);
  gl_->glUniform4fv(p.lightDiffuse, kMaxLights, &diff[0][0]);
  gl_->glUniform4fv(p.lightAmbient, kMaxLights, &amb[0][0]);
  gl_->glUniform4fv(p.lightSpecular, kMaxLights, &specular[0][0]);
  gl_->glUniform4fv(p.lightAtten, kMaxLights, &att[0][0]);
}

SceneProgram& GlDevice::PrepareSceneProgram(bool hasNormal, bool hasColor, bool hasTexCoord) {
  MakeCurrent();
  ApplyRasterState();
  // A draw without texture coordinates has nothing to sample with: it stays
  // untextured even while a texture is set.
  const bool textured = texture0_ && hasTexCoord && stageStates_[D3DTSS_COLOROP] != kTopDisable;
  SceneProgramKey key;
  key.flat = renderStates_[D3DRS_SHADEMODE] == D3DSHADE_FLAT;
  key.lighting = renderStates_[D3DRS_LIGHTING] != 0;
  key.specular = key.lighting && renderStates_[D3DRS_SPECULARENABLE] != 0;
  key.textured = textured;
  if (key.lighting) {
    for (const auto& [index, on] : lightEnabled_)
      if (on && key.lights.size() < std::size_t(kMaxLights))
        key.lights += lights_.at(index).Type == D3DLIGHT_DIRECTIONAL ? 'd' : 'p';
  }
  auto it = programs_.find(key);
  if (it == programs_.end()) it = programs_.emplace(key, BuildSceneProgram(*gl_, key)).first;
  SceneProgram& p = it->second;
  gl_->glUseProgram(p.id);
  if (p.world_ != worldGen_) {
    UploadWorld(p);
    p.world_ = worldGen_;
  }
  if (p.camera_ != cameraGen_) {
    UploadCamera(p);
    p.camera_ = cameraGen_;
  }
  if (p.material_ != materialGen_) {
    UploadMaterial(p);
    p.material_ = materialGen_;
  }
  if (p.lights_ != lightsGen_) {
    UploadLights(p);
    p.lights_ = lightsGen_;
  }
  if (p.states_ != statesGen_) {
    float ambient[4];
    ColorToFloats(renderStates_[D3DRS_AMBIENT], ambient);
    gl_->glUniform4fv(p.globalAmbient, 1, ambient);
    gl_->glUniform1i(p.sampler, 0);
    gl_->glUniform1f(p.flipY, target_.flipY ? -1.0f : 1.0f);
    p.states_ = statesGen_;
  }
  if (p.stage_ != stageGen_) {
    gl_->glUniform1i(p.colorOp, GLint(stageStates_[D3DTSS_COLOROP]));
    gl_->glUniform1i(p.alphaOp, GLint(stageStates_[D3DTSS_ALPHAOP]));
    p.stage_ = stageGen_;
  }
  if (p.hasNormal_ != int(hasNormal)) {
    gl_->glUniform1i(p.hasNormal, hasNormal ? 1 : 0);
    p.hasNormal_ = int(hasNormal);
  }
  if (p.hasColor_ != int(hasColor)) {
    gl_->glUniform1i(p.hasColor, hasColor ? 1 : 0);
    p.hasColor_ = int(hasColor);
  }
  if (textured) {
    gl_->glActiveTexture(GL_TEXTURE0);
    gl_->glBindTexture(GL_TEXTURE_2D, static_cast<GlTexture&>(*texture0_).Id());
    gl_->glBindSampler(0, sampler_);
  }
  return p;
}

void GlDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount,
                               const void* vertices, std::uint32_t stride) {
  if (primitiveCount == 0) return;
  if (vertices == nullptr) throw DeviceError("DrawPrimitiveUP without vertices");
  if (!(fvf_ & D3DFVF_XYZ)) throw DeviceError("vertex format without positions");
  GLenum mode;
  const GLsizei count = VertexCount(type, primitiveCount, mode);
  const bool hasNormal = fvf_ & D3DFVF_NORMAL, hasColor = fvf_ & D3DFVF_DIFFUSE,
             hasTex = (fvf_ & 0xF00) != 0;
  // Layout of the flexible vertex format: position, normal, diffuse, tex.
  std::size_t offset = 3 * sizeof(float);
  const std::size_t normalAt = offset;
  if (hasNormal) offset += 3 * sizeof(float);
  const std::size_t colorAt = offset;
  if (hasColor) offset += 4;
  const std::size_t texAt = offset;
  if (hasTex) offset += 2 * sizeof(float);
  if (stride < offset) throw DeviceError("vertex stride shorter than the vertex format");

  SceneProgram& p = PrepareSceneProgram(hasNormal, hasColor, hasTex);
  (void)p;
  gl_->glBindVertexArray(streamVao_);
  gl_->glBindBuffer(GL_ARRAY_BUFFER, streamVbo_);
  gl_->glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(std::size_t(count) * stride), vertices,
                    GL_STREAM_DRAW);
  if (fvf_ != streamFvf_ || stride != streamStride_) {
    streamFvf_ = fvf_;
    streamStride_ = stride;
    auto at = [](std::size_t o) { return reinterpret_cast<const void*>(o); };
    gl_->glEnableVertexAttribArray(kAttribPosition);
    gl_->glVertexAttribPointer(kAttribPosition, 3, GL_FLOAT, GL_FALSE, GLsizei(stride), at(0));
    if (hasNormal) {
      gl_->glEnableVertexAttribArray(kAttribNormal);
      gl_->glVertexAttribPointer(kAttribNormal, 3, GL_FLOAT, GL_FALSE, GLsizei(stride), at(normalAt));
    } else {
      gl_->glDisableVertexAttribArray(kAttribNormal);
    }
    if (hasColor) {
      // Packed 0xAARRGGBB is B, G, R, A in memory.
      gl_->glEnableVertexAttribArray(kAttribColor);
      gl_->glVertexAttribPointer(kAttribColor, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, GLsizei(stride),
                                 at(colorAt));
    } else {
      gl_->glDisableVertexAttribArray(kAttribColor);
    }
    if (hasTex) {
      gl_->glEnableVertexAttribArray(kAttribTexCoord);
      gl_->glVertexAttribPointer(kAttribTexCoord, 2, GL_FLOAT, GL_FALSE, GLsizei(stride), at(texAt));
    } else {
      gl_->glDisableVertexAttribArray(kAttribTexCoord);
    }
  }
  gl_->glDrawArrays(mode, 0, count);
  gl_->glBindVertexArray(0);
}

void GlDevice::DrawMeshSubset(const Mesh& mesh, std::uint32_t subset) {
  const AttributeRange* range = nullptr;
  for (const auto& r : mesh.GetAttributeTable())
    if (r.attribId == subset) range = &r;
  if (range == nullptr || range->faceCount == 0) return;
  MakeCurrent();
  auto data = std::dynamic_pointer_cast<GlMeshData>(mesh.deviceData);
  if (!data || data->context != context_) {
    data = std::make_shared<GlMeshData>(context_, mesh);
    mesh.deviceData = data;
  }
  PrepareSceneProgram(true, false, false);
  gl_->glBindVertexArray(data->vao);
  gl_->glDrawElements(GL_TRIANGLES, GLsizei(range->faceCount * 3), GL_UNSIGNED_INT,
                      reinterpret_cast<const void*>(std::size_t(range->faceStart) * 3 *
                                                    sizeof(std::uint32_t)));
  gl_->glBindVertexArray(0);
}

std::shared_ptr<Texture> GlDevice::CreateTexture(std::uint32_t width, std::uint32_t height,
                                                 std::uint32_t levels, std::uint32_t,
                                                 D3DFORMAT format, D3DPOOL) {
  MakeCurrent();
  return std::make_shared<GlTexture>(context_, width, height, levels, format);
}

std::shared_ptr<Texture> GlDevice::CreateTextureFromFile(const std::string& path) {
  QImage image;
  if (!image.load(QString::fromStdString(path))) return nullptr;
  const bool alpha = image.hasAlphaChannel();
  image = image.convertToFormat(QImage::Format_RGBA8888);
  MakeCurrent();
  auto texture = std::make_shared<GlTexture>(context_, std::uint32_t(image.width()),
                                             std::uint32_t(image.height()), 0,
                                             alpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8);
  gl_->glBindTexture(GL_TEXTURE_2D, texture->Id());
  gl_->glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  gl_->glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, image.width(), image.height(), GL_RGBA,
                       GL_UNSIGNED_BYTE, image.constBits());
  gl_->glBindTexture(GL_TEXTURE_2D, 0);
  texture->RefreshMipChain();
  return texture;
}

std::shared_ptr<Font> GlDevice::CreateFont(const FontDesc& desc) {
  return std::make_shared<GlFont>(*this, desc);
}

std::shared_ptr<RenderToSurface> GlDevice::CreateRenderToSurface(std::uint32_t width,
                                                                 std::uint32_t height, D3DFORMAT,
                                                                 bool depthStencil, D3DFORMAT) {
  MakeCurrent();
  return std::make_shared<GlRenderToSurface>(*this, width, height, depthStencil);
}

void GlDevice::SetRenderTarget(GLuint fbo, std::uint32_t width, std::uint32_t height) {
  if (fbo == 0) {
    std::uint32_t w, h;
    BackBufferSize(w, h);
    target_ = {0, w, h, false};
  } else {
    target_ = {fbo, width, height, true};
  }
  rasterDirty_ = true;
  ++statesGen_;
}

void GlDevice::DrawTextQuad(GLuint texture, float left, float top, float w, float h, float u0,
                            float v0, float u1, float v1) {
  MakeCurrent();
  ApplyRasterState();
  // Text ignores the viewport, depth and culling and blends over the target.
  gl_->glViewport(0, 0, GLsizei(target_.width), GLsizei(target_.height));
  gl_->glDisable(GL_DEPTH_TEST);
  gl_->glDisable(GL_CULL_FACE);
  gl_->glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  gl_->glEnable(GL_BLEND);
  gl_->glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  rasterDirty_ = true;

  gl_->glUseProgram(text_.id);
  gl_->glUniform2f(text_.targetSize, float(target_.width), float(target_.height));
  gl_->glUniform1f(text_.flipY, target_.flipY ? -1.0f : 1.0f);
  gl_->glUniform1i(text_.sampler, 0);
  gl_->glActiveTexture(GL_TEXTURE0);
  gl_->glBindTexture(GL_TEXTURE_2D, texture);
  gl_->glBindSampler(0, 0);
  const float quad[] = {left,     top,     u0, v0, left + w, top,     u1, v0,
                        left + w, top + h, u1, v1, left,     top + h, u0, v1};
  gl_->glBindVertexArray(textVao_);
  gl_->glBindBuffer(GL_ARRAY_BUFFER, textVbo_);
  gl_->glBufferData(GL_ARRAY_BUFFER, sizeof quad, quad, GL_STREAM_DRAW);
  gl_->glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
  gl_->glBindVertexArray(0);
}

QImage GlDevice::ReadBackBuffer() {
  MakeCurrent();
  std::uint32_t w, h;
  BackBufferSize(w, h);
  QImage image(int(w), int(h), QImage::Format_RGBA8888);
  if (image.isNull()) return image;
  gl_->glBindFramebuffer(GL_FRAMEBUFFER, context_->View()->defaultFramebufferObject());
  gl_->glPixelStorei(GL_PACK_ALIGNMENT, 4);
  gl_->glReadPixels(0, 0, GLsizei(w), GLsizei(h), GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
  rasterDirty_ = true;
  return image.mirrored(false, true);
}

QImage GlDevice::ReadTexture(const Texture& texture, std::uint32_t level) {
  MakeCurrent();
  const auto* t = dynamic_cast<const GlTexture*>(&texture);
  if (t == nullptr || level >= t->GetLevelCount()) return {};
  QImage image(int(t->LevelWidth(level)), int(t->LevelHeight(level)), QImage::Format_RGBA8888);
  gl_->glBindTexture(GL_TEXTURE_2D, t->Id());
  gl_->glPixelStorei(GL_PACK_ALIGNMENT, 4);
  gl_->glGetTexImage(GL_TEXTURE_2D, GLint(level), GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
  gl_->glBindTexture(GL_TEXTURE_2D, 0);
  return image;
}

}  // namespace rp
