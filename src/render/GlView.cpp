// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/GlView.h"

#include <QOpenGLContext>
#include <QSurfaceFormat>

namespace rp {

QSurfaceFormat DeviceSurfaceFormat() {
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
  setFormat(DeviceSurfaceFormat());
  // Keep the framebuffer's content between paints: frames are drawn outside
  // paintGL and must survive the toolkit's own repaints.
  setUpdateBehavior(QOpenGLWidget::PartialUpdate);
  setMinimumSize(1, 1);
}

GlView* GlView::FromHandle(WindowHandle handle) {
  if (handle == nullptr) return nullptr;
  auto* widget = static_cast<QWidget*>(handle);
  if (auto* view = qobject_cast<GlView*>(widget)) return view;
  return widget->findChild<GlView*>();
}

bool GlView::EnsureContext() {
  if (!isValid()) {
    // Grabbing initialises the widget's context and framebuffer even when
    // the widget has never been shown.
    (void)grabFramebuffer();
  }
  return isValid() && context() != nullptr && context()->isValid();
}

QImage GlView::GrabFrame() {
  if (!isValid()) return {};
  return grabFramebuffer();
}

void GlView::initializeGL() {
  connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &GlView::ContextLost, Qt::UniqueConnection);
}

void GlView::paintGL() { ++paintCount_; }

}  // namespace rp
