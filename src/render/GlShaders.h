// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shader programs of the device: scene programs (transforms, per-vertex
// lighting, one texture), one per combination of the states they depend on,
// and the program that puts rasterised text on the target.

#include <QOpenGLFunctions_3_3_Core>
#include <compare>
#include <string>

namespace rp {

inline constexpr int kMaxLights = 8;

// Vertex attribute slots shared by every vertex layout.
enum GlAttrib : GLuint { kAttribPosition = 0, kAttribNormal = 1, kAttribTexCoord = 2 };

// Per-copy attributes of a batch (GlInstance): the world matrix takes four
// slots, the normal matrix three, then the three material colours.
enum GlInstanceAttrib : GLuint { kAttribWorld = 3, kAttribNormalMatrix = 7, kAttribDiffuse = 10 };

// What a scene program is specialised for: the software renderer runs
// both sides of every branch, so switched-off features are compiled out.
// `instanced` draws a batch of copies of a mesh; `sphere` a batch of true
// spheres from squares.
struct SceneProgramKey {
  bool flat = false, lighting = true, textured = false, instanced = false, sphere = false;
  std::string lights;  // one letter per enabled light: 'd' directional, 'p' point or spot
  auto operator<=>(const SceneProgramKey&) const = default;
};

struct SceneProgram {
  GLuint id = 0;
  GLint world = -1, normalMatrix = -1, viewProj = -1, flipY = -1;
  GLint globalAmbient = -1;
  GLint matDiffuse = -1, matAmbient = -1, matEmissive = -1;
  GLint lightDir = -1, lightPos = -1, lightDiffuse = -1, lightAmbient = -1, lightAtten = -1;
  GLint sampler = -1;
  GLint eye = -1, sphereRadius = -1;
  // Generation of each state group last uploaded into this program.
  unsigned worldUploaded = 0, cameraUploaded = 0, materialUploaded = 0, lightsUploaded = 0, statesUploaded = 0;
};

struct TextProgram {
  GLuint id = 0;
  GLint targetSize = -1, flipY = -1, sampler = -1;
};

// Both throw DeviceError with the compiler's log when a shader fails.
SceneProgram BuildSceneProgram(QOpenGLFunctions_3_3_Core& gl, const SceneProgramKey& key);
TextProgram BuildTextProgram(QOpenGLFunctions_3_3_Core& gl);

}  // namespace rp
