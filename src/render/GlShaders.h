// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shader programs of the plot's renderer: true spheres, lines, quads
// (plain or showing the axis-name texture) and text. The lit ones share one
// lighting rule, the one of scene/LitColour.h.

#include <QOpenGLFunctions_3_3_Core>
#include <string>

namespace rp {

// Vertex attribute slots.
enum GlAttrib : GLuint {
  kAttribPosition = 0,  // vec3 (text: vec2 in framebuffer pixels)
  kAttribColour = 1,    // vec4
  kAttribNormal = 2,    // vec3
  kAttribTexCoord = 3,  // vec2
  kAttribCorner = 4,    // vec2: a sphere's square corner, -1..1
  kAttribRadius = 5,    // float: a sphere's radius
};

// Uniforms every scene program has (-1 where a program has none).
struct SceneUniforms {
  GLint model = -1, viewProj = -1, eye = -1;
  GLint towardsLight = -1, lightDiffuse = -1, ambient = -1;
  GLint sampler = -1;
};

struct GlProgram {
  GLuint id = 0;
  SceneUniforms u;
};

struct GlPrograms {
  GlProgram spheres, lines, quads, texturedQuads, text;
  GLint textTargetSize = -1;
};

// Builds every program; false with the compiler's or linker's log in
// `problem` when one fails (what was built is deleted again).
bool BuildPrograms(QOpenGLFunctions_3_3_Core& gl, GlPrograms& programs, std::string& problem);
void DeletePrograms(QOpenGLFunctions_3_3_Core& gl, GlPrograms& programs);

}  // namespace rp
