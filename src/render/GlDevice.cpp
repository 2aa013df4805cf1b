// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/GlDevice.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <glm/glm.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <optional>
#include <vector>

#include "render/GlFont.h"
#include "render/GlRenderToSurface.h"
#include "render/GlResources.h"
#include "scene/Mesh.h"

namespace rp {
namespace {

std::string RendererOf(QOpenGLContext& context) {
  const auto* s = reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER));
  return s ? s : "";
}

bool IsCoreAtLeast33(const QSurfaceFormat& f) {
  return f.renderableType() == QSurfaceFormat::OpenGL && f.version() >= qMakePair(3, 3);
}

// Inverse of the upper 3x3 (m[i][j] = column i, row j), false when singular.
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

// The matrix normals go through: the inverse transpose of the world's upper
// 3x3, or the 3x3 itself when it has no inverse.
void NormalMatrix(const glm::mat4& world, float nm[3][3]) {
  float m3[3][3], inv[3][3];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m3[i][j] = world[i][j];
  if (Invert3(m3, inv)) {
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) nm[i][j] = inv[j][i];
  } else {
    std::memcpy(nm, m3, sizeof m3);
  }
}

// The attributes of one copy in a batch, as the instanced programs read them.
struct GlInstance {
  float world[16];
  float normalMatrix[9];
  ColourF diffuse, ambient, emissive;
};
static_assert(sizeof(GlInstance) == 37 * sizeof(float));

// A rotation with one scale factor and a shift: it keeps a sphere a sphere.
bool KeepsSpheres(const glm::mat4& m) {
  if (m[0][3] != 0.0f || m[1][3] != 0.0f || m[2][3] != 0.0f || m[3][3] != 1.0f) return false;
  const glm::vec3 a(m[0]), b(m[1]), c(m[2]);
  const float s = glm::dot(a, a);
  if (!(s > 0.0f) || !std::isfinite(s)) return false;
  const float tolerance = 1e-4f * s;
  return std::abs(glm::dot(b, b) - s) <= tolerance && std::abs(glm::dot(c, c) - s) <= tolerance &&
         std::abs(glm::dot(a, b)) <= tolerance && std::abs(glm::dot(a, c)) <= tolerance &&
         std::abs(glm::dot(b, c)) <= tolerance;
}

void ColourToFloats(Argb32 c, float out[4]) {
  out[0] = float((c >> 16) & 0xFF) / 255.0f;
  out[1] = float((c >> 8) & 0xFF) / 255.0f;
  out[2] = float(c & 0xFF) / 255.0f;
  out[3] = float((c >> 24) & 0xFF) / 255.0f;
}

GLenum GlBlendFactor(BlendFactor b) {
  switch (b) {
    case BlendFactor::Zero:
      return GL_ZERO;
    case BlendFactor::One:
      return GL_ONE;
    case BlendFactor::SrcColour:
      return GL_SRC_COLOR;
    case BlendFactor::InvSrcColour:
      return GL_ONE_MINUS_SRC_COLOR;
    case BlendFactor::SrcAlpha:
      return GL_SRC_ALPHA;
    case BlendFactor::InvSrcAlpha:
      return GL_ONE_MINUS_SRC_ALPHA;
  }
  return GL_ONE;
}

GLenum GlMode(Primitive primitive) {
  switch (primitive) {
    case Primitive::Points:
      return GL_POINTS;
    case Primitive::Lines:
      return GL_LINES;
    case Primitive::LineStrip:
      return GL_LINE_STRIP;
    case Primitive::Triangles:
      return GL_TRIANGLES;
    case Primitive::TriangleStrip:
      return GL_TRIANGLE_STRIP;
    case Primitive::TriangleFan:
      return GL_TRIANGLE_FAN;
  }
  throw DeviceError("unknown primitive");
}

}  // namespace

bool IsSoftwareRenderer(std::string_view renderer) {
  std::string r(renderer);
  std::transform(r.begin(), r.end(), r.begin(), [](unsigned char c) { return std::tolower(c); });
  for (const char* name : {"llvmpipe", "softpipe", "swrast", "software rasterizer"})
    if (r.find(name) != std::string::npos) return true;
  return false;
}

std::shared_ptr<GraphicsDevice> GlDevice::CreateOn(WindowHandle window, DeviceKind kind) {
  GlView* view = GlView::FromHandle(window);
  if (view == nullptr || !view->EnsureContext()) return nullptr;
  if (!IsCoreAtLeast33(view->context()->format())) return nullptr;
  view->makeCurrent();
  const std::string renderer = RendererOf(*view->context());
  if (kind == DeviceKind::Hardware && IsSoftwareRenderer(renderer)) return nullptr;
  try {
    return std::make_shared<GlDevice>(view, renderer);
  } catch (const DeviceError&) {
    return nullptr;
  }
}

GlDevice::GlDevice(GlView* view, std::string renderer) : renderer_(std::move(renderer)) {
  if (view == nullptr || view->context() == nullptr) throw DeviceError("no OpenGL context");
  view->makeCurrent();
  auto gl = std::make_unique<QOpenGLFunctions_3_3_Core>();
  if (!gl->initializeOpenGLFunctions()) throw DeviceError("the OpenGL context does not offer version 3.3 core");
  gl_ = gl.get();
  context_ = std::make_shared<GlContext>(view, std::move(gl));
  QObject::connect(view, &GlView::ContextLost, [ctx = std::weak_ptr<GlContext>(context_)] {
    if (auto c = ctx.lock()) c->MarkLost();
  });

  // The program of the default states is built now, so a context that
  // cannot compile the shaders fails device creation.
  programs_[SceneProgramKey{}] = BuildSceneProgram(*gl_, SceneProgramKey{});
  text_ = BuildTextProgram(*gl_);
  // Drawn vertices stream through one buffer laid out as Vertex.
  gl_->glGenVertexArrays(1, &streamVao_);
  gl_->glGenBuffers(1, &streamVbo_);
  gl_->glBindVertexArray(streamVao_);
  gl_->glBindBuffer(GL_ARRAY_BUFFER, streamVbo_);
  auto at = [](std::size_t offset) { return reinterpret_cast<const void*>(offset); };
  gl_->glEnableVertexAttribArray(kAttribPosition);
  gl_->glVertexAttribPointer(kAttribPosition, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex), at(offsetof(Vertex, position)));
  gl_->glEnableVertexAttribArray(kAttribNormal);
  gl_->glVertexAttribPointer(kAttribNormal, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex), at(offsetof(Vertex, normal)));
  gl_->glEnableVertexAttribArray(kAttribTexCoord);
  gl_->glVertexAttribPointer(kAttribTexCoord, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), at(offsetof(Vertex, texCoord)));
  gl_->glGenVertexArrays(1, &textVao_);
  gl_->glGenBuffers(1, &textVbo_);
  gl_->glBindVertexArray(textVao_);
  gl_->glBindBuffer(GL_ARRAY_BUFFER, textVbo_);
  gl_->glEnableVertexAttribArray(kAttribPosition);
  gl_->glVertexAttribPointer(kAttribPosition, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
  gl_->glEnableVertexAttribArray(kAttribTexCoord);
  gl_->glVertexAttribPointer(kAttribTexCoord, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float),
                             reinterpret_cast<const void*>(2 * sizeof(float)));
  gl_->glGenBuffers(1, &instanceVbo_);
  gl_->glGenVertexArrays(1, &squareVao_);
  gl_->glGenBuffers(1, &squareVbo_);
  gl_->glBindVertexArray(squareVao_);
  gl_->glBindBuffer(GL_ARRAY_BUFFER, squareVbo_);
  const float corners[] = {-1, -1, 1, -1, -1, 1, 1, 1};
  gl_->glBufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STATIC_DRAW);
  gl_->glEnableVertexAttribArray(kAttribPosition);
  gl_->glVertexAttribPointer(kAttribPosition, 2, GL_FLOAT, GL_FALSE, 2 * sizeof(float), nullptr);
  BindInstanceAttributes();
  gl_->glBindVertexArray(0);
  gl_->glGenSamplers(1, &sampler_);

  UploadSampler();
  target_ = ViewTarget();
  viewport_ = {0, 0, target_.width, target_.height, 0.0f, 1.0f};
}

GlDevice::~GlDevice() {
  if (!context_->MakeCurrent()) return;
  for (const auto& [key, p] : programs_) gl_->glDeleteProgram(p.id);
  gl_->glDeleteProgram(text_.id);
  gl_->glDeleteVertexArrays(1, &streamVao_);
  gl_->glDeleteVertexArrays(1, &textVao_);
  gl_->glDeleteBuffers(1, &streamVbo_);
  gl_->glDeleteBuffers(1, &textVbo_);
  gl_->glDeleteVertexArrays(1, &squareVao_);
  gl_->glDeleteBuffers(1, &squareVbo_);
  gl_->glDeleteBuffers(1, &instanceVbo_);
  gl_->glDeleteSamplers(1, &sampler_);
}

GlDevice::Target GlDevice::ViewTarget() const {
  const GlView* v = context_->View();
  if (v == nullptr) return {};
  const double dpr = v->devicePixelRatioF();
  return {0, std::uint32_t(std::max(0, v->width())), std::uint32_t(std::max(0, v->height())), false,
          float(dpr > 0 ? dpr : 1.0)};
}

GlDevice::PixelRect GlDevice::ToPixels(const Viewport& area) const {
  const double s = target_.scale;
  auto px = [s](double units) { return GLint(std::lround(units * s)); };
  const GLint left = px(area.x), right = px(double(area.x) + area.width);
  const GLint top = px(area.y), bottom = px(double(area.y) + area.height);
  const GLint y = target_.flipY ? top : px(target_.height) - bottom;
  return {left, y, GLsizei(right - left), GLsizei(bottom - top)};
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
  const PixelRect r = ToPixels(viewport_);
  gl_->glViewport(r.x, r.y, r.width, r.height);
  gl_->glDepthRange(viewport_.minDepth, viewport_.maxDepth);
  gl_->glDisable(GL_SCISSOR_TEST);
  gl_->glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);

  if (states_.depthTest) {
    gl_->glEnable(GL_DEPTH_TEST);
    gl_->glDepthFunc(GL_LEQUAL);
  } else {
    gl_->glDisable(GL_DEPTH_TEST);
  }
  gl_->glDepthMask(GL_TRUE);

  // Front faces wind clockwise on the screen; a target stored top row first
  // is drawn mirrored, which turns the winding round.
  gl_->glFrontFace(target_.flipY ? GL_CCW : GL_CW);
  switch (states_.culling) {
    case Culling::None:
      gl_->glDisable(GL_CULL_FACE);
      break;
    case Culling::Clockwise:
      gl_->glEnable(GL_CULL_FACE);
      gl_->glCullFace(GL_FRONT);
      break;
    case Culling::CounterClockwise:
      gl_->glEnable(GL_CULL_FACE);
      gl_->glCullFace(GL_BACK);
      break;
  }
  if (states_.alphaBlending) {
    gl_->glEnable(GL_BLEND);
    gl_->glBlendFunc(GlBlendFactor(states_.sourceBlend), GlBlendFactor(states_.destinationBlend));
  } else {
    gl_->glDisable(GL_BLEND);
  }
  gl_->glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  gl_->glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
}

DeviceStatus GlDevice::Status() { return context_->MakeCurrent() ? DeviceStatus::Ready : DeviceStatus::Lost; }

bool GlDevice::ResetBackBuffer() {
  // The view's framebuffer always follows the client size; a reset only
  // takes the new size over into the target and the viewport.
  if (!context_->MakeCurrent()) return false;
  target_ = ViewTarget();
  viewport_ = {0, 0, target_.width, target_.height, 0.0f, 1.0f};
  rasterDirty_ = true;
  ++statesGen_;
  return true;
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

void GlDevice::Clear(Argb32 colour) {
  MakeCurrent();
  ApplyRasterState();
  // Only the viewport's rectangle is cleared.
  const PixelRect r = ToPixels(viewport_);
  gl_->glEnable(GL_SCISSOR_TEST);
  gl_->glScissor(r.x, r.y, r.width, r.height);
  float c[4];
  ColourToFloats(colour, c);
  gl_->glClearColor(c[0], c[1], c[2], c[3]);
  gl_->glDepthMask(GL_TRUE);
  gl_->glClearDepth(1.0f);
  gl_->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  gl_->glDisable(GL_SCISSOR_TEST);
}

void GlDevice::Present() {
  if (!context_->MakeCurrent()) throw DeviceError("the OpenGL context is lost");
  gl_->glFlush();
  context_->View()->update();
}

void GlDevice::SetTransform(Transform which, const glm::mat4& matrix) {
  switch (which) {
    case Transform::World:
      world_ = matrix;
      ++worldGen_;
      break;
    case Transform::View:
      view_ = matrix;
      ++cameraGen_;
      break;
    case Transform::Projection:
      projection_ = matrix;
      ++cameraGen_;
      break;
  }
}

glm::mat4 GlDevice::GetTransform(Transform which) {
  switch (which) {
    case Transform::World:
      return world_;
    case Transform::View:
      return view_;
    case Transform::Projection:
      return projection_;
  }
  return glm::mat4(1.0f);
}

void GlDevice::SetViewport(const Viewport& viewport) {
  viewport_ = viewport;
  rasterDirty_ = true;
}

Viewport GlDevice::GetViewport() { return viewport_; }

void GlDevice::SetMaterial(const Material& material) {
  material_ = material;
  ++materialGen_;
}

Material GlDevice::GetMaterial() { return material_; }

void GlDevice::SetLight(std::uint32_t index, const Light& light) {
  lights_[index] = light;
  ++lightsGen_;
}

void GlDevice::EnableLight(std::uint32_t index, bool enable) {
  lightEnabled_[index] = enable;
  // Enabling a light never set gives a white directional light along +z.
  if (enable && !lights_.count(index)) {
    Light l{};
    l.type = LightType::Directional;
    l.diffuse = {1, 1, 1, 0};
    l.direction = {0, 0, 1};
    l.range = 1e30f;
    lights_[index] = l;
  }
  ++lightsGen_;
}

void GlDevice::StateChanged() {
  rasterDirty_ = true;
  ++statesGen_;
}

void GlDevice::SetAmbientLight(Argb32 colour) {
  states_.ambientLight = colour;
  StateChanged();
}

void GlDevice::SetLighting(bool enable) {
  states_.lighting = enable;
  StateChanged();
}

void GlDevice::SetDepthTest(bool enable) {
  states_.depthTest = enable;
  StateChanged();
}

void GlDevice::SetShading(Shading shading) {
  states_.shading = shading;
  StateChanged();
}

void GlDevice::SetCulling(Culling culling) {
  states_.culling = culling;
  StateChanged();
}

void GlDevice::SetAlphaBlending(bool enable) {
  states_.alphaBlending = enable;
  StateChanged();
}

void GlDevice::SetBlendFactors(BlendFactor source, BlendFactor destination) {
  states_.sourceBlend = source;
  states_.destinationBlend = destination;
  StateChanged();
}

void GlDevice::SetTexture(std::shared_ptr<Texture> texture) {
  if (texture && !dynamic_cast<GlTexture*>(texture.get())) throw DeviceError("texture was made by another device");
  texture_ = std::move(texture);
}

void GlDevice::SetMinFilter(TextureFilter filter) {
  states_.minFilter = filter;
  if (context_->MakeCurrent()) UploadSampler();
}

// Magnified texels stay sharp, there are no mip levels to blend, and
// coordinates wrap.
void GlDevice::UploadSampler() {
  gl_->glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER,
                           states_.minFilter == TextureFilter::Linear ? GL_LINEAR : GL_NEAREST);
  gl_->glSamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  gl_->glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_S, GL_REPEAT);
  gl_->glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

void GlDevice::UploadWorld(SceneProgram& p) {
  gl_->glUniformMatrix4fv(p.world, 1, GL_FALSE, glm::value_ptr(world_));
  float nm[3][3];
  NormalMatrix(world_, nm);
  gl_->glUniformMatrix3fv(p.normalMatrix, 1, GL_FALSE, &nm[0][0]);
}

void GlDevice::UploadCamera(SceneProgram& p) {
  const glm::mat4 viewProjection = projection_ * view_;
  gl_->glUniformMatrix4fv(p.viewProj, 1, GL_FALSE, glm::value_ptr(viewProjection));
}

void GlDevice::UploadMaterial(SceneProgram& p) {
  gl_->glUniform4fv(p.matDiffuse, 1, &material_.diffuse.r);
  gl_->glUniform4fv(p.matAmbient, 1, &material_.ambient.r);
  gl_->glUniform4fv(p.matEmissive, 1, &material_.emissive.r);
}

void GlDevice::UploadLights(SceneProgram& p) {
  float dirs[kMaxLights][3] = {}, pos[kMaxLights][3] = {}, diff[kMaxLights][4] = {}, amb[kMaxLights][4] = {},
        att[kMaxLights][4] = {};
  int n = 0;
  for (const auto& [index, on] : lightEnabled_) {
    if (!on || n == kMaxLights) continue;
    const Light& l = lights_.at(index);
    // The shader wants the direction towards the light.
    const float len =
        std::sqrt(l.direction.x * l.direction.x + l.direction.y * l.direction.y + l.direction.z * l.direction.z);
    if (len > 0) {
      dirs[n][0] = -l.direction.x / len;
      dirs[n][1] = -l.direction.y / len;
      dirs[n][2] = -l.direction.z / len;
    }
    pos[n][0] = l.position.x;
    pos[n][1] = l.position.y;
    pos[n][2] = l.position.z;
    std::memcpy(diff[n], &l.diffuse, sizeof diff[n]);
    std::memcpy(amb[n], &l.ambient, sizeof amb[n]);
    att[n][0] = l.attenuation0;
    att[n][1] = l.attenuation1;
    att[n][2] = l.attenuation2;
    att[n][3] = l.range;
    ++n;
  }
  gl_->glUniform3fv(p.lightDir, kMaxLights, &dirs[0][0]);
  gl_->glUniform3fv(p.lightPos, kMaxLights, &pos[0][0]);
  gl_->glUniform4fv(p.lightDiffuse, kMaxLights, &diff[0][0]);
  gl_->glUniform4fv(p.lightAmbient, kMaxLights, &amb[0][0]);
  gl_->glUniform4fv(p.lightAtten, kMaxLights, &att[0][0]);
}

SceneProgram& GlDevice::PrepareSceneProgram(bool hasTexCoord, DrawKind kind) {
  MakeCurrent();
  ApplyRasterState();
  // A draw without texture coordinates has nothing to sample with: it stays
  // untextured even while a texture is set.
  const bool textured = texture_ && hasTexCoord;
  SceneProgramKey key;
  key.flat = states_.shading == Shading::Flat;
  key.lighting = states_.lighting;
  key.textured = textured;
  key.instanced = kind == DrawKind::Instanced;
  key.sphere = kind == DrawKind::Sphere;
  if (key.lighting) {
    for (const auto& [index, on] : lightEnabled_)
      if (on && key.lights.size() < std::size_t(kMaxLights))
        key.lights += lights_.at(index).type == LightType::Directional ? 'd' : 'p';
  }
  auto it = programs_.find(key);
  if (it == programs_.end()) it = programs_.emplace(key, BuildSceneProgram(*gl_, key)).first;
  SceneProgram& p = it->second;
  gl_->glUseProgram(p.id);
  if (p.worldUploaded != worldGen_) {
    UploadWorld(p);
    p.worldUploaded = worldGen_;
  }
  if (p.cameraUploaded != cameraGen_) {
    UploadCamera(p);
    p.cameraUploaded = cameraGen_;
  }
  if (p.materialUploaded != materialGen_) {
    UploadMaterial(p);
    p.materialUploaded = materialGen_;
  }
  if (p.lightsUploaded != lightsGen_) {
    UploadLights(p);
    p.lightsUploaded = lightsGen_;
  }
  if (p.statesUploaded != statesGen_) {
    float ambient[4];
    ColourToFloats(states_.ambientLight, ambient);
    gl_->glUniform4fv(p.globalAmbient, 1, ambient);
    gl_->glUniform1i(p.sampler, 0);
    gl_->glUniform1f(p.flipY, target_.flipY ? -1.0f : 1.0f);
    p.statesUploaded = statesGen_;
  }
  if (textured) {
    gl_->glActiveTexture(GL_TEXTURE0);
    gl_->glBindTexture(GL_TEXTURE_2D, static_cast<GlTexture&>(*texture_).Id());
    gl_->glBindSampler(0, sampler_);
  }
  return p;
}

void GlDevice::DrawVertices(Primitive primitive, std::span<const Vertex> vertices) {
  if (vertices.empty()) return;
  const GLenum mode = GlMode(primitive);
  PrepareSceneProgram(true);
  gl_->glBindVertexArray(streamVao_);
  gl_->glBindBuffer(GL_ARRAY_BUFFER, streamVbo_);
  gl_->glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size_bytes()), vertices.data(), GL_STREAM_DRAW);
  gl_->glDrawArrays(mode, 0, GLsizei(vertices.size()));
  gl_->glBindVertexArray(0);
}

GlMeshData& GlDevice::MeshData(const Mesh& mesh) {
  auto data = std::dynamic_pointer_cast<GlMeshData>(mesh.deviceData);
  if (!data || data->context != context_) {
    data = std::make_shared<GlMeshData>(context_, mesh);
    mesh.deviceData = data;
  }
  return *data;
}

void GlDevice::DrawMeshSubset(const Mesh& mesh, std::uint32_t subset) {
  const AttributeRange* range = nullptr;
  for (const auto& r : mesh.GetAttributeTable())
    if (r.attribId == subset) range = &r;
  if (range == nullptr || range->faceCount == 0) return;
  MakeCurrent();
  const GlMeshData& data = MeshData(mesh);
  PrepareSceneProgram(false);
  gl_->glBindVertexArray(data.vao);
  gl_->glDrawElements(GL_TRIANGLES, GLsizei(range->faceCount * 3), GL_UNSIGNED_INT,
                      reinterpret_cast<const void*>(std::size_t(range->faceStart) * 3 * sizeof(std::uint32_t)));
  gl_->glBindVertexArray(0);
}

// Attributes 3.. of the bound vertex array from instanceVbo_, one step per
// copy.
void GlDevice::BindInstanceAttributes() {
  gl_->glBindBuffer(GL_ARRAY_BUFFER, instanceVbo_);
  auto attribute = [&](GLuint slot, GLint size, std::size_t offset) {
    gl_->glEnableVertexAttribArray(slot);
    gl_->glVertexAttribPointer(slot, size, GL_FLOAT, GL_FALSE, sizeof(GlInstance),
                               reinterpret_cast<const void*>(offset));
    gl_->glVertexAttribDivisor(slot, 1);
  };
  for (GLuint column = 0; column < 4; ++column)
    attribute(kAttribWorld + column, 4, offsetof(GlInstance, world) + column * 4 * sizeof(float));
  for (GLuint column = 0; column < 3; ++column)
    attribute(kAttribNormalMatrix + column, 3, offsetof(GlInstance, normalMatrix) + column * 3 * sizeof(float));
  attribute(kAttribDiffuse, 4, offsetof(GlInstance, diffuse));
  attribute(kAttribDiffuse + 1, 4, offsetof(GlInstance, ambient));
  attribute(kAttribDiffuse + 2, 4, offsetof(GlInstance, emissive));
}

void GlDevice::UploadInstances(std::span<const MeshDraw> draws) {
  std::vector<GlInstance> copies(draws.size());
  for (std::size_t i = 0; i < draws.size(); ++i) {
    GlInstance& c = copies[i];
    std::memcpy(c.world, glm::value_ptr(draws[i].world), sizeof c.world);
    float nm[3][3];
    NormalMatrix(draws[i].world, nm);
    std::memcpy(c.normalMatrix, nm, sizeof c.normalMatrix);
    c.diffuse = draws[i].material.diffuse;
    c.ambient = draws[i].material.ambient;
    c.emissive = draws[i].material.emissive;
  }
  gl_->glBindBuffer(GL_ARRAY_BUFFER, instanceVbo_);
  gl_->glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(copies.size() * sizeof(GlInstance)), copies.data(), GL_STREAM_DRAW);
}

// True spheres look like the mesh wherever the mesh is a fair sphere:
// smooth shading, opaque, no front faces culled, a perspective camera whose
// eye is outside every sphere, and world matrices that keep spheres round.
bool GlDevice::SpheresDrawable(std::span<const MeshDraw> draws, float radius, glm::vec3& eye) const {
  if (states_.shading != Shading::Gouraud || states_.alphaBlending || states_.culling == Culling::Clockwise)
    return false;
  if (projection_[2][3] == 0.0f || projection_[3][3] != 0.0f || !(radius > 0.0f)) return false;
  eye = glm::vec3(glm::inverse(view_)[3]);
  for (const MeshDraw& d : draws) {
    if (!KeepsSpheres(d.world)) return false;
    const float r = radius * glm::length(glm::vec3(d.world[0]));
    if (!(glm::length(eye - glm::vec3(d.world[3])) > 1.5f * r)) return false;
  }
  return true;
}

void GlDevice::DrawMeshInstances(const Mesh& mesh, std::span<const MeshDraw> draws) {
  if (draws.empty()) return;
  MakeCurrent();
  material_ = draws.back().material;
  ++materialGen_;
  texture_.reset();
  UploadInstances(draws);
  glm::vec3 eye;
  const std::optional<float> radius = mesh.SphereRadius();
  if (radius && SpheresDrawable(draws, *radius, eye)) {
    SceneProgram& p = PrepareSceneProgram(false, DrawKind::Sphere);
    gl_->glUniform3f(p.eye, eye.x, eye.y, eye.z);
    gl_->glUniform1f(p.sphereRadius, *radius);
    // The squares face the eye whatever the winding.
    gl_->glDisable(GL_CULL_FACE);
    rasterDirty_ = true;
    gl_->glBindVertexArray(squareVao_);
    gl_->glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, GLsizei(draws.size()));
    gl_->glBindVertexArray(0);
    return;
  }
  GlMeshData& data = MeshData(mesh);
  if (data.instancedVao == 0) {
    gl_->glGenVertexArrays(1, &data.instancedVao);
    gl_->glBindVertexArray(data.instancedVao);
    gl_->glBindBuffer(GL_ARRAY_BUFFER, data.vbo);
    gl_->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, data.ebo);
    gl_->glEnableVertexAttribArray(kAttribPosition);
    gl_->glVertexAttribPointer(kAttribPosition, 3, GL_FLOAT, GL_FALSE, sizeof(MeshVertex),
                               reinterpret_cast<const void*>(offsetof(MeshVertex, position)));
    gl_->glEnableVertexAttribArray(kAttribNormal);
    gl_->glVertexAttribPointer(kAttribNormal, 3, GL_FLOAT, GL_FALSE, sizeof(MeshVertex),
                               reinterpret_cast<const void*>(offsetof(MeshVertex, normal)));
    BindInstanceAttributes();
  }
  PrepareSceneProgram(false, DrawKind::Instanced);
  gl_->glBindVertexArray(data.instancedVao);
  for (const AttributeRange& r : mesh.GetAttributeTable()) {
    if (r.faceCount == 0) continue;
    gl_->glDrawElementsInstanced(GL_TRIANGLES, GLsizei(r.faceCount * 3), GL_UNSIGNED_INT,
                                 reinterpret_cast<const void*>(std::size_t(r.faceStart) * 3 * sizeof(std::uint32_t)),
                                 GLsizei(draws.size()));
  }
  gl_->glBindVertexArray(0);
}

std::shared_ptr<Texture> GlDevice::CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                                                 TextureFormat format) {
  MakeCurrent();
  return std::make_shared<GlTexture>(context_, width, height, levels, format);
}

std::shared_ptr<Font> GlDevice::CreateFont(const FontDesc& desc) { return std::make_shared<GlFont>(*this, desc); }

std::shared_ptr<RenderToSurface> GlDevice::CreateRenderToSurface(std::uint32_t width, std::uint32_t height,
                                                                 bool depthBuffer) {
  MakeCurrent();
  return std::make_shared<GlRenderToSurface>(*this, width, height, depthBuffer);
}

void GlDevice::SetRenderTarget(GLuint fbo, std::uint32_t width, std::uint32_t height) {
  if (fbo == 0) {
    target_ = ViewTarget();
  } else {
    target_ = {fbo, width, height, true, 1.0f};
  }
  rasterDirty_ = true;
  ++statesGen_;
}

void GlDevice::DrawTextQuad(GLuint texture, float left, float top, float w, float h, float u0, float v0, float u1,
                            float v1) {
  MakeCurrent();
  ApplyRasterState();
  // Text ignores the viewport, depth and culling and blends over the target.
  const PixelRect whole = ToPixels({0, 0, target_.width, target_.height, 0.0f, 1.0f});
  gl_->glViewport(0, 0, whole.width, whole.height);
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
  // The corner goes to the nearest whole framebuffer pixel, so that texels
  // fall on pixels also at a fractional pixel ratio.
  left = std::round(left * target_.scale) / target_.scale;
  top = std::round(top * target_.scale) / target_.scale;
  const float quad[] = {left, top, u0, v0, left + w, top, u1, v0, left + w, top + h, u1, v1, left, top + h, u0, v1};
  gl_->glBindVertexArray(textVao_);
  gl_->glBindBuffer(GL_ARRAY_BUFFER, textVbo_);
  gl_->glBufferData(GL_ARRAY_BUFFER, sizeof quad, quad, GL_STREAM_DRAW);
  gl_->glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
  gl_->glBindVertexArray(0);
}

QImage GlDevice::ReadBackBuffer() {
  MakeCurrent();
  const GlView* v = context_->View();
  const double dpr = v->devicePixelRatioF();
  const auto w = std::uint32_t(std::lround(v->width() * dpr)), h = std::uint32_t(std::lround(v->height() * dpr));
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
