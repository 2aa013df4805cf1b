// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The widget the 3D device draws into. The device draws whenever the program
// asks (from timers and mouse moves), not from paint events: it makes the
// widget's context current, draws into the widget's framebuffer and asks for
// an update on Present. paintGL draws nothing, and the widget keeps its
// framebuffer between frames, so the window and GrabFrame always show the
// last presented frame.
//
// The window handle the device functions take is a QWidget* converted to
// void*: this widget itself or any widget that holds one (the plot window).

#include <QImage>
#include <QOpenGLWidget>

#include "scene/GraphicsTypes.h"

namespace rp {

class GlView : public QOpenGLWidget {
  Q_OBJECT
 public:
  explicit GlView(QWidget* parent = nullptr);

  WindowHandle Handle() { return static_cast<QWidget*>(this); }
  // The GlView behind a window handle: the widget itself, or the first GlView
  // inside it. nullptr when there is none.
  static GlView* FromHandle(WindowHandle handle);

  // Creates the OpenGL context if the widget has none yet (also for a widget
  // that was never shown). False when no context can be made.
  bool EnsureContext();

  // The last presented frame, as shown in the window.
  QImage GrabFrame();

  // Counts the widget's own paints, after which the device reapplies its
  // whole GL state (the toolkit resets the viewport there).
  unsigned PaintCount() const { return paintCount_; }

 signals:
  // Emitted before the context goes away (reparenting, closing): every GL
  // object of the device dies with it.
  void ContextLost();

 protected:
  void initializeGL() override;
  void paintGL() override;

 private:
  unsigned paintCount_ = 0;
};

// The format every device context is asked for: OpenGL 3.3 core, a depth
// buffer, no multisampling, reset notification where the driver offers it.
QSurfaceFormat DeviceSurfaceFormat();

}  // namespace rp
