// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/PlotRenderer.h"

#include <QOpenGLContext>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "scene/AnchoredTexts.h"
#include "scene/ArgbColour.h"

namespace rp {

namespace {

constexpr std::size_t kSphereFloats = 8;  // centre, colour, radius
// The most spheres or line vertices drawn before the driver is told to get
// on with them. A software renderer (Mesa's llvmpipe) keeps every triangle
// it was given, binned to its tiles, until it is flushed: about 580 bytes a
// sphere, gigabytes for a piece of millions of events. So a long piece is
// drawn in pieces of this many, each finished before the next (a flush
// alone does not free the bins); the order, and so the picture, stays the
// same. Only pieces of more than this many points pay for the waits.
constexpr GLsizei kMostPerDraw = 1 << 16;
constexpr std::size_t kLineFloats = 7;   // position, colour
constexpr std::size_t kQuadFloats = 12;  // position, colour, normal, texture coordinates

void Push(std::vector<float>& v, const glm::vec3& p) { v.insert(v.end(), {p.x, p.y, p.z}); }
void Push(std::vector<float>& v, const ColourF& c) { v.insert(v.end(), {c.r, c.g, c.b, c.a}); }

bool SeeThrough(const ColourF& c) { return c.a < 1.0f; }

// The quads of one pass, in their order, with the runs that share a program.
struct QuadRun {
  bool textured;
  GLint first;
  GLsizei count;
};

void PackQuad(std::vector<float>& v, const Quad& q, float axisLineHeight) {
  static constexpr std::size_t kCorners[6] = {0, 1, 2, 0, 2, 3};
  for (std::size_t k : kCorners) {
    Push(v, q.corners[k]);
    Push(v, q.colour);
    Push(v, q.normal);
    glm::vec2 t = q.texCoords[k];
    if (q.texture == QuadTexture::AxisNames) {
      // The line's rows of the 256-texel texture.
      t.y = (float(q.textureLine) + t.y) * axisLineHeight / float(AxisNameTexture::kSize);
    }
    v.insert(v.end(), {t.x, t.y});
  }
}

}  // namespace

bool IsSoftwareRenderer(std::string_view renderer) {
  std::string r(renderer);
  std::transform(r.begin(), r.end(), r.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  for (const char* name : {"llvmpipe", "softpipe", "swrast", "software rasterizer"})
    if (r.find(name) != std::string::npos) return true;
  return false;
}

bool PlotRenderer::Initialise(std::string& problem) {
  Release();
  QOpenGLContext* context = QOpenGLContext::currentContext();
  if (context == nullptr || !context->isValid()) {
    problem = "no OpenGL context could be made";
    return false;
  }
  const QSurfaceFormat f = context->format();
  if (f.renderableType() != QSurfaceFormat::OpenGL || f.version() < qMakePair(3, 3)) {
    problem = "the context offers OpenGL " + std::to_string(f.majorVersion()) + "." + std::to_string(f.minorVersion()) +
              ", not 3.3 core";
    return false;
  }
  if (!gl_.initializeOpenGLFunctions()) {
    problem = "the context does not offer the functions of OpenGL 3.3 core";
    return false;
  }
  const auto* name = reinterpret_cast<const char*>(gl_.glGetString(GL_RENDERER));
  rendererName_ = name != nullptr ? name : "";
  if (!BuildPrograms(gl_, programs_, problem)) return false;

  MakeStream(opaqueSpheres_, {{kAttribPosition, 3}, {kAttribColour, 4}, {kAttribRadius, 1}}, true);
  MakeStream(seeThroughSpheres_, {{kAttribPosition, 3}, {kAttribColour, 4}, {kAttribRadius, 1}}, true);
  // The squares' corners, shared by both sphere streams.
  gl_.glGenBuffers(1, &corners_);
  gl_.glBindBuffer(GL_ARRAY_BUFFER, corners_);
  const float corners[] = {-1, -1, 1, -1, -1, 1, 1, 1};
  gl_.glBufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STATIC_DRAW);
  for (Stream* s : {&opaqueSpheres_, &seeThroughSpheres_}) {
    gl_.glBindVertexArray(s->vao);
    gl_.glEnableVertexAttribArray(kAttribCorner);
    gl_.glVertexAttribPointer(kAttribCorner, 2, GL_FLOAT, GL_FALSE, 2 * sizeof(float), nullptr);
  }
  MakeStream(lines_, {{kAttribPosition, 3}, {kAttribColour, 4}}, false);
  const std::vector<std::pair<GLuint, GLint>> quad = {
      {kAttribPosition, 3}, {kAttribColour, 4}, {kAttribNormal, 3}, {kAttribTexCoord, 2}};
  MakeStream(opaqueQuads_, quad, false);
  MakeStream(seeThroughQuads_, quad, false);
  MakeStream(rects_, quad, false);
  MakeStream(text_, {{kAttribPosition, 2}, {kAttribTexCoord, 2}}, false);
  gl_.glBindVertexArray(0);
  ready_ = true;
  return true;
}

void PlotRenderer::Release() {
  if (!ready_ && programs_.spheres.id == 0 && lines_.vao == 0) return;
  DeletePrograms(gl_, programs_);
  for (Stream* s : {&opaqueSpheres_, &seeThroughSpheres_, &lines_, &opaqueQuads_, &seeThroughQuads_, &rects_, &text_}) {
    if (s->vao != 0) gl_.glDeleteVertexArrays(1, &s->vao);
    if (s->vbo != 0) gl_.glDeleteBuffers(1, &s->vbo);
    *s = Stream{};
  }
  if (corners_ != 0) gl_.glDeleteBuffers(1, &corners_);
  corners_ = 0;
  texts_.Release(gl_);
  ready_ = false;
}

void PlotRenderer::MakeStream(Stream& stream, const std::vector<std::pair<GLuint, GLint>>& layout, bool perInstance) {
  gl_.glGenVertexArrays(1, &stream.vao);
  gl_.glGenBuffers(1, &stream.vbo);
  gl_.glBindVertexArray(stream.vao);
  gl_.glBindBuffer(GL_ARRAY_BUFFER, stream.vbo);
  stream.layout = layout;
  for (const auto& [slot, size] : layout) {
    gl_.glEnableVertexAttribArray(slot);
    if (perInstance) gl_.glVertexAttribDivisor(slot, 1);
  }
  PointAttributes(stream, 0);
}

void PlotRenderer::PointAttributes(const Stream& stream, std::size_t first) {
  GLsizei stride = 0;
  for (const auto& [slot, size] : stream.layout) stride += size;
  std::size_t offset = first * std::size_t(stride);
  gl_.glBindBuffer(GL_ARRAY_BUFFER, stream.vbo);
  for (const auto& [slot, size] : stream.layout) {
    gl_.glVertexAttribPointer(slot, size, GL_FLOAT, GL_FALSE, stride * GLsizei(sizeof(float)),
                              reinterpret_cast<const void*>(offset * sizeof(float)));
    offset += std::size_t(size);
  }
}

void PlotRenderer::Upload(Stream& stream, std::vector<float>& data, GLsizei vertices) {
  stream.vertices = vertices;
  if (data == stream.uploaded) return;
  gl_.glBindBuffer(GL_ARRAY_BUFFER, stream.vbo);
  gl_.glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(data.size() * sizeof(float)), data.data(), GL_DYNAMIC_DRAW);
  stream.uploaded.swap(data);
}

void PlotRenderer::UseScene(const GlProgram& program, const SceneDescription& scene) {
  gl_.glUseProgram(program.id);
  const glm::mat4 viewProjection = scene.camera.projection * scene.camera.view;
  gl_.glUniformMatrix4fv(program.u.model, 1, GL_FALSE, glm::value_ptr(scene.orientation));
  gl_.glUniformMatrix4fv(program.u.viewProj, 1, GL_FALSE, glm::value_ptr(viewProjection));
  const Lighting& l = scene.lighting;
  gl_.glUniform3f(program.u.towardsLight, l.towardsLight.x, l.towardsLight.y, l.towardsLight.z);
  gl_.glUniform3f(program.u.lightDiffuse, l.diffuse.r, l.diffuse.g, l.diffuse.b);
  gl_.glUniform3f(program.u.ambient, l.ambient.r, l.ambient.g, l.ambient.b);
  if (program.u.eye >= 0) {
    const glm::vec3 eye(glm::inverse(scene.camera.view)[3]);
    gl_.glUniform3f(program.u.eye, eye.x, eye.y, eye.z);
  }
  if (program.u.sampler >= 0) gl_.glUniform1i(program.u.sampler, 0);
}

void PlotRenderer::DrawSpheres(const SceneDescription& scene) {
  std::vector<float> opaque, seeThrough;
  for (const SphereInstance& s : scene.spheres) {
    if (!(s.radius > 0.0f) || !std::isfinite(s.radius)) continue;
    std::vector<float>& v = SeeThrough(s.colour) ? seeThrough : opaque;
    Push(v, s.centre);
    Push(v, s.colour);
    v.push_back(s.radius);
  }
  Upload(opaqueSpheres_, opaque, GLsizei(opaque.size() / kSphereFloats));
  Upload(seeThroughSpheres_, seeThrough, GLsizei(seeThrough.size() / kSphereFloats));
  UseScene(programs_.spheres, scene);
  for (Stream* s : {&opaqueSpheres_, &seeThroughSpheres_}) {
    if (s->vertices == 0) continue;
    if (s == &seeThroughSpheres_) gl_.glEnable(GL_BLEND);
    gl_.glBindVertexArray(s->vao);
    // OpenGL 3.3 has no first instance: the attributes move instead.
    for (GLsizei first = 0; first < s->vertices; first += kMostPerDraw) {
      if (first > 0) {
        gl_.glFinish();
        PointAttributes(*s, std::size_t(first));
      }
      gl_.glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, std::min(kMostPerDraw, s->vertices - first));
    }
    if (s->vertices > kMostPerDraw) PointAttributes(*s, 0);
  }
  gl_.glDisable(GL_BLEND);
}

void PlotRenderer::DrawLines(const SceneDescription& scene) {
  std::vector<float> v;
  v.reserve(scene.lines.size() * 2 * kLineFloats);
  for (const LineSegment& l : scene.lines) {
    Push(v, l.from);
    Push(v, l.colour);
    Push(v, l.to);
    Push(v, l.colour);
  }
  Upload(lines_, v, GLsizei(scene.lines.size() * 2));
  if (lines_.vertices == 0) return;
  UseScene(programs_.lines, scene);
  gl_.glBindVertexArray(lines_.vao);
  for (GLsizei first = 0; first < lines_.vertices; first += kMostPerDraw) {  // an even count: whole lines
    if (first > 0) gl_.glFinish();
    gl_.glDrawArrays(GL_LINES, first, std::min(kMostPerDraw, lines_.vertices - first));
  }
}

void PlotRenderer::DrawQuads(const SceneDescription& scene) {
  std::int32_t lineHeight = 0;
  GLuint axisNames = 0;
  for (const Quad& q : scene.quads) {
    if (q.texture != QuadTexture::AxisNames) continue;
    axisNames = texts_.AxisNames(gl_, scene.axisNames.lines, ToQFont(scene.titleFont), lineHeight);
    break;
  }
  // Opaque quads first, then the see-through ones in their order; runs of
  // quads that share a program are drawn at once.
  std::vector<float> data[2];
  std::vector<QuadRun> runs[2];
  for (const Quad& q : scene.quads) {
    const int pass = SeeThrough(q.colour) ? 1 : 0;
    const bool textured = q.texture == QuadTexture::AxisNames;
    const auto first = GLint(data[pass].size() / kQuadFloats);
    PackQuad(data[pass], q, float(lineHeight));
    if (!runs[pass].empty() && runs[pass].back().textured == textured)
      runs[pass].back().count += 6;
    else
      runs[pass].push_back({textured, first, 6});
  }
  Stream* streams[2] = {&opaqueQuads_, &seeThroughQuads_};
  for (int pass = 0; pass < 2; ++pass) {
    Upload(*streams[pass], data[pass], GLsizei(data[pass].size() / kQuadFloats));
    if (runs[pass].empty()) continue;
    if (pass == 1) gl_.glEnable(GL_BLEND);
    gl_.glBindVertexArray(streams[pass]->vao);
    for (const QuadRun& run : runs[pass]) {
      UseScene(run.textured ? programs_.texturedQuads : programs_.quads, scene);
      if (run.textured) {
        gl_.glActiveTexture(GL_TEXTURE0);
        gl_.glBindTexture(GL_TEXTURE_2D, axisNames);
      }
      gl_.glDrawArrays(GL_TRIANGLES, run.first, run.count);
    }
  }
  gl_.glDisable(GL_BLEND);
}

void PlotRenderer::DrawRects(const SceneDescription& scene) {
  // Flat quads in window pixels: the quad program with no turn, a
  // projection onto the window and only ambient light of full strength, so
  // each shows its own colour.
  SceneDescription window;
  const Viewport& vp = scene.camera.viewport;
  window.camera.projection = glm::ortho(0.0f, float(vp.width), float(vp.height), 0.0f, -1.0f, 1.0f);
  window.lighting.diffuse = {0, 0, 0, 1};
  window.lighting.ambient = {1, 1, 1, 1};
  std::vector<float> v;
  for (const ScreenRect& r : scene.rects) {
    Quad q;
    const auto x0 = float(r.x), y0 = float(r.y), x1 = float(r.x + r.width), y1 = float(r.y + r.height);
    q.corners = {glm::vec3{x0, y0, 0}, {x1, y0, 0}, {x1, y1, 0}, {x0, y1, 0}};
    q.colour = ColourFromArgb(static_cast<std::int32_t>(r.colour));
    PackQuad(v, q, 0.0f);
  }
  Upload(rects_, v, GLsizei(v.size() / kQuadFloats));
  if (rects_.vertices == 0) return;
  gl_.glDisable(GL_DEPTH_TEST);
  // A see-through rectangle (the hover label's background) blends by its alpha.
  gl_.glEnable(GL_BLEND);
  gl_.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  UseScene(programs_.quads, window);
  gl_.glBindVertexArray(rects_.vao);
  gl_.glDrawArrays(GL_TRIANGLES, 0, rects_.vertices);
  gl_.glDisable(GL_BLEND);
  gl_.glEnable(GL_DEPTH_TEST);
}

void PlotRenderer::DrawTexts(const SceneDescription& scene, float pixelRatio, float width, float height) {
  gl_.glDisable(GL_DEPTH_TEST);
  gl_.glEnable(GL_BLEND);
  gl_.glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  gl_.glUseProgram(programs_.text.id);
  gl_.glUniform2f(programs_.textTargetSize, width, height);
  gl_.glUniform1i(programs_.text.u.sampler, 0);
  gl_.glActiveTexture(GL_TEXTURE0);
  gl_.glBindVertexArray(text_.vao);
  gl_.glBindBuffer(GL_ARRAY_BUFFER, text_.vbo);
  std::vector<TextItem> anchored = PlacedAnchoredTexts(scene);
  std::vector<const TextItem*> items;
  for (const TextItem& item : scene.texts) items.push_back(&item);
  for (const TextItem& item : anchored) items.push_back(&item);
  for (const TextItem* shown : items) {
    const TextItem& item = *shown;
    const QFont font = ToQFont(item.font == FontRole::Title ? scene.titleFont : scene.labelFont);
    for (const GlText::Placed& p : texts_.Place(gl_, item, font, pixelRatio)) {
      const float l = p.left, t = p.top, r = p.left + p.width, b = p.top + p.height;
      const float quad[] = {l, t, 0, 0, r, t, 1, 0, r, b, 1, 1, l, b, 0, 1};
      gl_.glBindTexture(GL_TEXTURE_2D, p.texture);
      gl_.glBufferData(GL_ARRAY_BUFFER, sizeof quad, quad, GL_STREAM_DRAW);
      gl_.glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
    }
  }
  text_.uploaded.clear();
  gl_.glDisable(GL_BLEND);
  gl_.glEnable(GL_DEPTH_TEST);
}

void PlotRenderer::Draw(const SceneDescription& scene, GLuint framebuffer, float pixelRatio) {
  if (!ready_) return;
  const Viewport& vp = scene.camera.viewport;
  const auto width = float(std::lround(double(vp.width) * pixelRatio));
  const auto height = float(std::lround(double(vp.height) * pixelRatio));
  gl_.glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  gl_.glViewport(0, 0, GLsizei(width), GLsizei(height));
  gl_.glDepthRange(vp.minDepth, vp.maxDepth);
  gl_.glDisable(GL_SCISSOR_TEST);
  gl_.glDisable(GL_CULL_FACE);
  gl_.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  gl_.glDepthMask(GL_TRUE);
  const Argb32 b = scene.background;
  gl_.glClearColor(float((b >> 16) & 0xFF) / 255.0f, float((b >> 8) & 0xFF) / 255.0f, float(b & 0xFF) / 255.0f,
                   float((b >> 24) & 0xFF) / 255.0f);
  gl_.glClearDepth(1.0);
  gl_.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  gl_.glEnable(GL_DEPTH_TEST);
  gl_.glDepthFunc(GL_LEQUAL);
  gl_.glDisable(GL_BLEND);
  gl_.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  gl_.glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

  DrawSpheres(scene);
  DrawLines(scene);
  DrawQuads(scene);
  DrawRects(scene);
  DrawTexts(scene, pixelRatio, width, height);
  gl_.glBindVertexArray(0);
  gl_.glUseProgram(0);
}

}  // namespace rp
