// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The widget the plot is drawn in. Frames are drawn only inside paintGL,
// that is when the widget is updated (QWidget::update) or grabbed: each asks
// the frame source for the scene to show and draws it with the one
// PlotRenderer. When Qt gives the widget up its OpenGL context
// (QOpenGLContext::aboutToBeDestroyed: the widget moved to another window,
// the driver reset the GPU), the renderer lets its GL objects go; on the new
// context it makes them again, and only if that fails says so, once.

#include <QImage>
#include <QOpenGLWidget>
#include <functional>
#include <string>

#include "render/PlotRenderer.h"
#include "scene/SceneDescription.h"

namespace rp {

class GlView : public QOpenGLWidget {
  Q_OBJECT
 public:
  explicit GlView(QWidget* parent = nullptr);
  ~GlView() override;

  // The scene of the frame to draw now.
  void SetFrameSource(std::function<SceneDescription()> source) { source_ = std::move(source); }
  // Called after each frame drawn.
  void SetFrameDrawn(std::function<void()> drawn) { drawn_ = std::move(drawn); }
  // Called once when the renderer cannot be made again on a new context.
  void SetRendererLost(std::function<void()> lost) { lost_ = std::move(lost); }

  // Makes the context and the renderer now if the widget has none yet (also
  // for a widget that was never shown). False when that failed; Problem()
  // says why.
  bool StartRenderer();
  const std::string& Problem() const { return problem_; }
  const std::string& RendererName() const { return renderer_.RendererName(); }

  // A new frame, drawn now, as the window shows it.
  QImage GrabFrame();
  // A new frame drawn into the widget's framebuffer now, waiting until the
  // renderer has finished it; nothing is shown or read back (for timing).
  void DrawFrameAndWait();

 protected:
  void initializeGL() override;
  void paintGL() override;

 private:
  void ContextGoing();

  PlotRenderer renderer_;
  std::function<SceneDescription()> source_;
  std::function<void()> drawn_;
  std::function<void()> lost_;
  std::string problem_;
  bool hadRenderer_ = false;
  bool lossReported_ = false;
};

// The format the plot's context is asked for: OpenGL 3.3 core, a depth
// buffer, no multisampling, reset notification where the driver offers it.
QSurfaceFormat PlotSurfaceFormat();

}  // namespace rp
