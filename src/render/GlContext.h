// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The device's hold on its OpenGL context, shared with every GL object the
// device makes (textures, uploaded meshes, fonts): an object releases its GL
// names only while the context still lives.

#include <QOpenGLFunctions_3_3_Core>
#include <QPointer>
#include <memory>

#include "render/GlView.h"

namespace rp {

class GlContext {
 public:
  GlContext(GlView* view, std::unique_ptr<QOpenGLFunctions_3_3_Core> gl) : view_(view), gl_(std::move(gl)) {}

  // Makes the context current; false once it is gone or lost.
  bool MakeCurrent();
  bool Alive() const;
  void MarkLost() { lost_ = true; }
  QOpenGLFunctions_3_3_Core& Gl() const { return *gl_; }
  GlView* View() const { return view_.data(); }
  // Bumped whenever the context was made current anew: state cached on the
  // GL side may have been changed by the toolkit in between.
  unsigned Switches() const { return switches_; }

 private:
  QPointer<GlView> view_;
  std::unique_ptr<QOpenGLFunctions_3_3_Core> gl_;
  bool lost_ = false;
  unsigned switches_ = 0;
};

}  // namespace rp
