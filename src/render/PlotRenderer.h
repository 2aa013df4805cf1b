// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one renderer of the plot: draws a scene description with OpenGL 3.3
// core into the current framebuffer, in the order and with the lighting the
// description sets out. Its GL objects (programs, buffers, textures) are made
// once per context and kept; a frame uploads only the instance data that
// changed since the one before (the spheres, lines and quads), and texts and
// the axis-name texture are made again only when they change.
//
// Every call needs the context it was initialised on to be current.

#include <QOpenGLFunctions_3_3_Core>
#include <string>
#include <string_view>
#include <vector>

#include "render/GlShaders.h"
#include "render/GlText.h"
#include "scene/SceneDescription.h"

namespace rp {

// True for the renderer strings of software rasterisers (llvmpipe, softpipe,
// swrast, "Software Rasterizer").
bool IsSoftwareRenderer(std::string_view renderer);

class PlotRenderer {
 public:
  PlotRenderer() = default;
  PlotRenderer(const PlotRenderer&) = delete;
  PlotRenderer& operator=(const PlotRenderer&) = delete;

  // Makes the GL objects on the current context. False, with the reason in
  // `problem`, when the context is not OpenGL 3.3 core or the shaders fail.
  bool Initialise(std::string& problem);
  // Gives every GL object back (the context still current); Initialise may
  // follow on a new context.
  void Release();
  bool Ready() const { return ready_; }
  // The GL_RENDERER string of the context.
  const std::string& RendererName() const { return rendererName_; }

  // Draws `scene` into `framebuffer`, which holds `pixelRatio` framebuffer
  // pixels per window pixel of the scene's viewport.
  void Draw(const SceneDescription& scene, GLuint framebuffer, float pixelRatio);

 private:
  // A vertex stream and the float data last uploaded into it.
  struct Stream {
    GLuint vao = 0, vbo = 0;
    std::vector<float> uploaded;
    GLsizei vertices = 0;
    std::vector<std::pair<GLuint, GLint>> layout;  // each attribute's slot and floats, in the order stored
  };
  // Points the stream's attributes at its data from record `first` on.
  void PointAttributes(const Stream& stream, std::size_t first);
  void MakeStream(Stream& stream, const std::vector<std::pair<GLuint, GLint>>& layout, bool perInstance);
  void Upload(Stream& stream, std::vector<float>& data, GLsizei vertices);
  void UseScene(const GlProgram& program, const SceneDescription& scene);
  void DrawSpheres(const SceneDescription& scene);
  void DrawLines(const SceneDescription& scene);
  void DrawQuads(const SceneDescription& scene);
  void DrawRects(const SceneDescription& scene);
  void DrawTexts(const SceneDescription& scene, float pixelRatio, float width, float height);

  QOpenGLFunctions_3_3_Core gl_;
  bool ready_ = false;
  std::string rendererName_;
  GlPrograms programs_;
  Stream opaqueSpheres_, seeThroughSpheres_, lines_, opaqueQuads_, seeThroughQuads_, rects_, text_;
  GLuint corners_ = 0;  // the four corners of a sphere's square
  GlText texts_;
};

}  // namespace rp
