#pragma once
// The shader programs that stand in for the fixed-function pipeline: the
// scene program (transforms, per-vertex lighting, one texture stage) in a
// smooth and a flat variant, and the program that puts rasterised text on
// the target.

#include <QOpenGLFunctions_3_3_Core>

namespace rp {

inline constexpr int kMaxLights = 8;

// Vertex attribute slots shared by every vertex layout.
enum GlAttrib : GLuint { kAttribPosition = 0, kAttribNormal = 1, kAttribTexCoord = 2, kAttribColor = 3 };

struct SceneProgram {
  GLuint id = 0;
  GLint world = -1, normalMatrix = -1, viewProj = -1, flipY = -1, eye = -1;
  GLint lighting = -1, hasNormal = -1, hasColor = -1, specularEnable = -1, globalAmbient = -1;
  GLint matDiffuse = -1, matAmbient = -1, matSpecular = -1, matEmissive = -1, matPower = -1;
  GLint lightCount = -1, lightType = -1, lightDir = -1, lightPos = -1, lightDiffuse = -1,
        lightAmbient = -1, lightSpecular = -1, lightAtten = -1;
  GLint textured = -1, colorOp = -1, alphaOp = -1, sampler = -1;
};

struct TextProgram {
  GLuint id = 0;
  GLint targetSize = -1, flipY = -1, sampler = -1;
};

// Both throw DeviceError with the compiler's log when a shader fails.
SceneProgram BuildSceneProgram(QOpenGLFunctions_3_3_Core& gl, bool flat);
TextProgram BuildTextProgram(QOpenGLFunctions_3_3_Core& gl);

}  // namespace rp
