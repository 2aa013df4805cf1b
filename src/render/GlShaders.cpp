// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/GlShaders.h"

#include <string>

#include "scene/GraphicsDevice.h"

namespace rp {
namespace {

// Matrices arrive as glm uploads them, column-major for column vectors.
// Lighting follows the classic fixed-function model: emissive + ambient
// material x (global ambient + light ambients) + diffuse material x diffuse
// light x N.L, alpha from the diffuse material; normals are normalised after
// the transform and a zero normal stays zero, so it gets the ambient terms
// only. Depth comes from the projection in 0..1 and is stretched to GL's
// -1..1. Meshes are lit per vertex, true spheres per pixel, by the same code.
const char* kLighting = R"(
#if LIGHTING
uniform vec4 uGlobalAmbient;
uniform vec3 uLightDir[8];
uniform vec3 uLightPos[8];
uniform vec4 uLightDiffuse[8], uLightAmbient[8];
uniform vec4 uLightAtten[8];
vec3 n, wpos, ambient, diffuse;
void Light(int i, bool directional) {
  vec3 l;
  float att = 1.0;
  if (directional) {
    l = uLightDir[i];
  } else {
    vec3 d = uLightPos[i] - wpos;
    float dist = length(d);
    if (dist > uLightAtten[i].w) return;
    l = dist > 0.0 ? d / dist : vec3(0.0);
    float a = uLightAtten[i].x + uLightAtten[i].y * dist + uLightAtten[i].z * dist * dist;
    att = a > 0.0 ? 1.0 / a : 1.0;
  }
  ambient += uLightAmbient[i].rgb * att;
  float ndl = max(dot(n, l), 0.0);
  diffuse += uLightDiffuse[i].rgb * ndl * att;
}
vec4 Lit(vec3 normal, vec3 worldPos, vec4 matDiffuse, vec4 matAmbient, vec4 matEmissive) {
  wpos = worldPos;
  n = normal;
  ambient = uGlobalAmbient.rgb;
  diffuse = vec3(0.0);
  LIGHTS
  return vec4(clamp(matEmissive.rgb + matAmbient.rgb * ambient + matDiffuse.rgb * diffuse, 0.0, 1.0),
              clamp(matDiffuse.a, 0.0, 1.0));
}
#endif
)";

// A batch of copies takes each copy's matrices and material from these
// instance attributes instead of the uniforms (slots as in GlShaders.h).
const char* kInstanceInputs = R"(
layout(location = 3) in mat4 iWorld;
layout(location = 7) in mat3 iNormalMatrix;
layout(location = 10) in vec4 iDiffuse;
layout(location = 11) in vec4 iAmbient;
layout(location = 12) in vec4 iEmissive;
)";

const char* kSceneVertex = R"(
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aTex;
#if !INSTANCED
uniform mat4 uWorld;
uniform mat3 uNormalMatrix;
uniform vec4 uMatDiffuse, uMatAmbient, uMatEmissive;
#define iWorld uWorld
#define iNormalMatrix uNormalMatrix
#define iDiffuse uMatDiffuse
#define iAmbient uMatAmbient
#define iEmissive uMatEmissive
#endif
uniform mat4 uViewProj;
uniform float uFlipY;
INTERP out vec4 vColor;
#if TEXTURED
out vec2 vTex;
#endif
void main() {
  vec4 wp = iWorld * vec4(aPos, 1.0);
  vec4 clip = uViewProj * wp;
  clip.z = 2.0 * clip.z - clip.w;
  clip.y *= uFlipY;
  gl_Position = clip;
#if TEXTURED
  vTex = aTex;
#endif
#if !LIGHTING
  vColor = vec4(1.0);
#else
  vec3 normal = iNormalMatrix * aNormal;
  float len = length(normal);
  vColor = Lit(len > 0.0 ? normal / len : normal, wp.xyz, iDiffuse, iAmbient, iEmissive);
#endif
}
)";

// True spheres: each copy of a sphere mesh becomes a square facing the eye
// just large enough to hold the sphere's outline (the cone of sight lines
// touching the sphere cuts the square's plane in a circle of radius
// r d / sqrt(d^2 - r^2)). The fragment shader follows the sight line to the
// sphere, drops what misses, and lights and depth-writes the point it hits.
// The world matrices are rotations with one scale and a shift (the device
// checks), so centre and radius are the shift and the scale times the mesh's
// radius.
const char* kSphereVertex = R"(
layout(location = 0) in vec2 aCorner;
uniform mat4 uViewProj;
uniform float uFlipY;
uniform vec3 uEye;
uniform float uSphereRadius;
out vec3 vOnSquare;
flat out vec4 vSphere, vDiffuse, vAmbient, vEmissive;
void main() {
  vec3 c = iWorld[3].xyz;
  float r = uSphereRadius * length(iWorld[0].xyz);
  vec3 toEye = uEye - c;
  float d = length(toEye);
  vec3 f = toEye / d;
  vec3 side = normalize(cross(abs(f.y) < 0.9 ? vec3(0.0, 1.0, 0.0) : vec3(1.0, 0.0, 0.0), f));
  vec3 up = cross(f, side);
  float h = 1.01 * r * d / sqrt(max(d * d - r * r, 1e-12));
  vec3 p = c + (aCorner.x * side + aCorner.y * up) * h;
  vOnSquare = p;
  vSphere = vec4(c, r);
  vDiffuse = iDiffuse;
  vAmbient = iAmbient;
  vEmissive = iEmissive;
  vec4 clip = uViewProj * vec4(p, 1.0);
  clip.z = 2.0 * clip.z - clip.w;
  clip.y *= uFlipY;
  gl_Position = clip;
}
)";

const char* kSphereFragment = R"(
in vec3 vOnSquare;
flat in vec4 vSphere, vDiffuse, vAmbient, vEmissive;
uniform mat4 uViewProj;
uniform vec3 uEye;
out vec4 fragColor;
void main() {
  // From the square's point, which lies beside the centre, so the numbers
  // stay small.
  vec3 dir = normalize(vOnSquare - uEye);
  vec3 oc = vOnSquare - vSphere.xyz;
  float b = dot(oc, dir);
  float disc = b * b - (dot(oc, oc) - vSphere.w * vSphere.w);
  if (disc < 0.0) discard;
  vec3 hit = vOnSquare + (-b - sqrt(disc)) * dir;
#if LIGHTING
  fragColor = Lit((hit - vSphere.xyz) / vSphere.w, hit, vDiffuse, vAmbient, vEmissive);
#else
  fragColor = vec4(1.0);
#endif
  vec4 clip = uViewProj * vec4(hit, 1.0);
  gl_FragDepth = gl_DepthRange.near + gl_DepthRange.diff * (clip.z / clip.w);
}
)";

// A texture's colour is modulated by the lit colour; its alpha replaces the
// material's.
const char* kSceneFragment = R"(
INTERP in vec4 vColor;
#if TEXTURED
in vec2 vTex;
#endif
uniform sampler2D uSampler;
out vec4 fragColor;
void main() {
  vec4 c = vColor;
#if TEXTURED
  {
    vec4 t = texture(uSampler, vTex);
    c.rgb = t.rgb * vColor.rgb;
    c.a = t.a;
  }
#endif
  fragColor = c;
}
)";

// Text: positions in target pixels from the top-left, premultiplied texels.
const char* kTextVertex = R"(
layout(location = 0) in vec2 aPos;
layout(location = 2) in vec2 aTex;
uniform vec2 uTargetSize;
uniform float uFlipY;
out vec2 vTex;
void main() {
  vec2 ndc = vec2(aPos.x / uTargetSize.x * 2.0 - 1.0, 1.0 - aPos.y / uTargetSize.y * 2.0);
  gl_Position = vec4(ndc.x, ndc.y * uFlipY, 0.0, 1.0);
  vTex = aTex;
}
)";

const char* kTextFragment = R"(
in vec2 vTex;
uniform sampler2D uSampler;
out vec4 fragColor;
void main() { fragColor = texture(uSampler, vTex); }
)";

GLuint Compile(QOpenGLFunctions_3_3_Core& gl, GLenum type, const std::string& source) {
  GLuint shader = gl.glCreateShader(type);
  const char* src = source.c_str();
  gl.glShaderSource(shader, 1, &src, nullptr);
  gl.glCompileShader(shader);
  GLint ok = 0;
  gl.glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[2048] = {};
    gl.glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    gl.glDeleteShader(shader);
    throw DeviceError(std::string("shader does not compile: ") + log);
  }
  return shader;
}

GLuint Link(QOpenGLFunctions_3_3_Core& gl, const std::string& prelude, const char* vs, const char* fs) {
  const GLuint v = Compile(gl, GL_VERTEX_SHADER, prelude + vs);
  const GLuint f = Compile(gl, GL_FRAGMENT_SHADER, prelude + fs);
  GLuint program = gl.glCreateProgram();
  gl.glAttachShader(program, v);
  gl.glAttachShader(program, f);
  gl.glLinkProgram(program);
  gl.glDeleteShader(v);
  gl.glDeleteShader(f);
  GLint ok = 0;
  gl.glGetProgramiv(program, GL_LINK_STATUS, &ok);
  if (!ok) {
    char log[2048] = {};
    gl.glGetProgramInfoLog(program, sizeof log, nullptr, log);
    gl.glDeleteProgram(program);
    throw DeviceError(std::string("shader program does not link: ") + log);
  }
  return program;
}

}  // namespace

SceneProgram BuildSceneProgram(QOpenGLFunctions_3_3_Core& gl, const SceneProgramKey& key) {
  SceneProgram p;
  // The enabled lights become straight-line calls with their type fixed.
  std::string lights;
  for (std::size_t i = 0; i < key.lights.size(); ++i)
    lights += "Light(" + std::to_string(i) + (key.lights[i] == 'd' ? ", true); " : ", false); ");
  std::string lighting = kLighting;
  lighting.replace(lighting.find("LIGHTS"), 6, lights);
  const std::string prelude = std::string("#version 330 core\n#define INTERP ") + (key.flat ? "flat" : "smooth") +
                              "\n#define LIGHTING " + (key.lighting ? "1" : "0") + "\n#define TEXTURED " +
                              (key.textured ? "1" : "0") + "\n#define INSTANCED " + (key.instanced ? "1" : "0") + "\n";
  const std::string instances = key.instanced || key.sphere ? kInstanceInputs : "";
  if (key.sphere)
    p.id = Link(gl, prelude, (instances + kSphereVertex).c_str(), (lighting + kSphereFragment).c_str());
  else
    p.id = Link(gl, prelude, (instances + lighting + kSceneVertex).c_str(), kSceneFragment);
  auto loc = [&](const char* name) { return gl.glGetUniformLocation(p.id, name); };
  p.world = loc("uWorld");
  p.normalMatrix = loc("uNormalMatrix");
  p.viewProj = loc("uViewProj");
  p.flipY = loc("uFlipY");
  p.globalAmbient = loc("uGlobalAmbient");
  p.matDiffuse = loc("uMatDiffuse");
  p.matAmbient = loc("uMatAmbient");
  p.matEmissive = loc("uMatEmissive");
  p.lightDir = loc("uLightDir");
  p.lightPos = loc("uLightPos");
  p.lightDiffuse = loc("uLightDiffuse");
  p.lightAmbient = loc("uLightAmbient");
  p.lightAtten = loc("uLightAtten");
  p.sampler = loc("uSampler");
  p.eye = loc("uEye");
  p.sphereRadius = loc("uSphereRadius");
  return p;
}

TextProgram BuildTextProgram(QOpenGLFunctions_3_3_Core& gl) {
  TextProgram p;
  p.id = Link(gl, "#version 330 core\n", kTextVertex, kTextFragment);
  p.targetSize = gl.glGetUniformLocation(p.id, "uTargetSize");
  p.flipY = gl.glGetUniformLocation(p.id, "uFlipY");
  p.sampler = gl.glGetUniformLocation(p.id, "uSampler");
  return p;
}

}  // namespace rp
