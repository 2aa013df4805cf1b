// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/GlView.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QSurfaceFormat>

namespace rp {

QSurfaceFormat PlotSurfaceFormat() {
  QSurfaceFormat f;
  f.setRenderableType(QSurfaceFormat::OpenGL);
  f.setVersion(3, 3);
  f.setProfile(QSurfaceFormat::CoreProfile);
  f.setDepthBufferSize(24);
  f.setStencilBufferSize(8);
  f.setSamples(0);
  f.setOption(QSurfaceFormat::ResetNotification);
  return f;
}

GlView::GlView(QWidget* parent) : QOpenGLWidget(parent) {
  setFormat(PlotSurfaceFormat());
  setMinimumSize(1, 1);
}

GlView::~GlView() {
  if (context() != nullptr && renderer_.Ready()) {
    makeCurrent();
    renderer_.Release();
    doneCurrent();
  }
}

bool GlView::StartRenderer() {
  // Grabbing initialises the widget's context and framebuffer even when
  // the widget has never been shown.
  if (!isValid()) (void)grabFramebuffer();
  if (!isValid() && problem_.empty()) problem_ = "no OpenGL context could be made";
  return renderer_.Ready();
}

QImage GlView::GrabFrame() {
  if (!isValid()) return {};
  return grabFramebuffer();
}

void GlView::DrawFrameAndWait() {
  if (!isValid()) return;
  makeCurrent();
  paintGL();
  context()->functions()->glFinish();
  doneCurrent();
}

void GlView::initializeGL() {
  connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &GlView::ContextGoing, Qt::UniqueConnection);
  problem_.clear();
  if (renderer_.Initialise(problem_)) {
    hadRenderer_ = true;
    return;
  }
  // A renderer that worked before and cannot be made again: said once.
  if (hadRenderer_ && !lossReported_) {
    lossReported_ = true;
    if (lost_) lost_();
  }
}

void GlView::ContextGoing() {
  makeCurrent();
  renderer_.Release();
  doneCurrent();
}

void GlView::paintGL() {
  if (!renderer_.Ready() || !source_) {
    // Nothing to draw with: the plot's background, not what the buffer held.
    QOpenGLFunctions* gl = context()->functions();
    gl->glClearColor(0x30 / 255.0f, 0x30 / 255.0f, 0x30 / 255.0f, 1.0f);
    gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    return;
  }
  renderer_.Draw(source_(), defaultFramebufferObject(), float(devicePixelRatioF()));
  if (drawn_) drawn_();
}

}  // namespace rp
