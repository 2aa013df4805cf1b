// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/GlContext.h"

#include <QOpenGLContext>

namespace rp {

bool GlContext::Alive() const { return !lost_ && view_ && view_->context() != nullptr && view_->context()->isValid(); }

bool GlContext::MakeCurrent() {
  if (!Alive()) return false;
  if (QOpenGLContext::currentContext() != view_->context()) {
    view_->makeCurrent();
    ++switches_;
  }
  // A reset detected while making the context current invalidates it.
  return Alive();
}

}  // namespace rp
