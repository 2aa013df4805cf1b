// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/GlShaders.h"

#include <string>

namespace rp {
namespace {

// Matrices arrive as glm uploads them, column-major for column vectors.
// Lighting: colour x ambient + colour x light x max(N.L, 0), clamped, alpha
// the colour's; a zero normal gets the ambient part only. Depth comes from
// the projection in 0..1 and is stretched to GL's -1..1.
const char* kCommon = R"(#version 330 core
uniform mat4 uModel;
uniform mat4 uViewProj;
uniform vec3 uTowardsLight;
uniform vec3 uLightDiffuse;
uniform vec3 uAmbient;
vec4 Lit(vec3 normal, vec4 colour) {
  float facing = max(dot(normal, uTowardsLight), 0.0);
  return vec4(clamp(colour.rgb * uAmbient + colour.rgb * uLightDiffuse * facing, 0.0, 1.0), clamp(colour.a, 0.0, 1.0));
}
vec4 ToClip(vec3 world) {
  vec4 clip = uViewProj * vec4(world, 1.0);
  clip.z = 2.0 * clip.z - clip.w;
  return clip;
}
)";

// True spheres: each sphere becomes a square facing the eye just large
// enough to hold its outline (the cone of sight lines touching the sphere
// cuts the square's plane in a circle of radius r d / sqrt(d^2 - r^2)). The
// fragment shader follows the sight line to the sphere, drops what misses,
// and lights and depth-writes the point it hits. A sphere the eye is inside
// shrinks to nothing.
const char* kSphereVertex = R"(
layout(location = 0) in vec3 aCentre;
layout(location = 1) in vec4 aColour;
layout(location = 4) in vec2 aCorner;
layout(location = 5) in float aRadius;
uniform vec3 uEye;
out vec3 vOnSquare;
flat out vec4 vSphere, vColour;
void main() {
  vec3 c = (uModel * vec4(aCentre, 1.0)).xyz;
  float r = aRadius;
  vec3 toEye = uEye - c;
  float d = length(toEye);
  vec3 f = toEye / d;
  vec3 side = normalize(cross(abs(f.y) < 0.9 ? vec3(0.0, 1.0, 0.0) : vec3(1.0, 0.0, 0.0), f));
  vec3 up = cross(f, side);
  float h = d > r ? 1.01 * r * d / sqrt(max(d * d - r * r, 1e-12)) : 0.0;
  vec3 p = c + (aCorner.x * side + aCorner.y * up) * h;
  vOnSquare = p;
  vSphere = vec4(c, r);
  vColour = aColour;
  gl_Position = ToClip(p);
}
)";

const char* kSphereFragment = R"(
in vec3 vOnSquare;
flat in vec4 vSphere, vColour;
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
  fragColor = Lit((hit - vSphere.xyz) / vSphere.w, vColour);
  vec4 clip = uViewProj * vec4(hit, 1.0);
  gl_FragDepth = gl_DepthRange.near + gl_DepthRange.diff * (clip.z / clip.w);
}
)";

const char* kLineVertex = R"(
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec4 aColour;
out vec4 vColour;
void main() {
  gl_Position = ToClip((uModel * vec4(aPosition, 1.0)).xyz);
  vColour = Lit(vec3(0.0), aColour);
}
)";

// Quads are lit per corner with their normal turned into the world.
const char* kQuadVertex = R"(
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec4 aColour;
layout(location = 2) in vec3 aNormal;
layout(location = 3) in vec2 aTexCoord;
out vec4 vColour;
out vec2 vTexCoord;
void main() {
  gl_Position = ToClip((uModel * vec4(aPosition, 1.0)).xyz);
  vec3 n = mat3(uModel) * aNormal;
  float len = length(n);
  vColour = Lit(len > 0.0 ? n / len : n, aColour);
  vTexCoord = aTexCoord;
}
)";

const char* kColourFragment = R"(
in vec4 vColour;
out vec4 fragColor;
void main() { fragColor = vColour; }
)";

// A texture's colour is modulated by the lit colour; its alpha replaces the
// quad's.
const char* kTexturedFragment = R"(
in vec4 vColour;
in vec2 vTexCoord;
uniform sampler2D uSampler;
out vec4 fragColor;
void main() {
  vec4 t = texture(uSampler, vTexCoord);
  fragColor = vec4(t.rgb * vColour.rgb, t.a);
}
)";

// Text: positions in framebuffer pixels from the top-left, premultiplied
// texels.
const char* kTextVertex = R"(#version 330 core
layout(location = 0) in vec2 aPosition;
layout(location = 3) in vec2 aTexCoord;
uniform vec2 uTargetSize;
out vec2 vTexCoord;
void main() {
  gl_Position = vec4(aPosition.x / uTargetSize.x * 2.0 - 1.0, 1.0 - aPosition.y / uTargetSize.y * 2.0, 0.0, 1.0);
  vTexCoord = aTexCoord;
}
)";

const char* kTextFragment = R"(#version 330 core
in vec2 vTexCoord;
uniform sampler2D uSampler;
out vec4 fragColor;
void main() { fragColor = texture(uSampler, vTexCoord); }
)";

GLuint Compile(QOpenGLFunctions_3_3_Core& gl, GLenum type, const std::string& source, std::string& problem) {
  GLuint shader = gl.glCreateShader(type);
  const char* src = source.c_str();
  gl.glShaderSource(shader, 1, &src, nullptr);
  gl.glCompileShader(shader);
  GLint ok = 0;
  gl.glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok) return shader;
  char log[2048] = {};
  gl.glGetShaderInfoLog(shader, sizeof log, nullptr, log);
  gl.glDeleteShader(shader);
  problem = std::string("a shader does not compile: ") + log;
  return 0;
}

bool Link(QOpenGLFunctions_3_3_Core& gl, const std::string& vs, const std::string& fs, GlProgram& program,
          std::string& problem) {
  const GLuint v = Compile(gl, GL_VERTEX_SHADER, vs, problem);
  if (v == 0) return false;
  const GLuint f = Compile(gl, GL_FRAGMENT_SHADER, fs, problem);
  if (f == 0) {
    gl.glDeleteShader(v);
    return false;
  }
  GLuint id = gl.glCreateProgram();
  gl.glAttachShader(id, v);
  gl.glAttachShader(id, f);
  gl.glLinkProgram(id);
  gl.glDeleteShader(v);
  gl.glDeleteShader(f);
  GLint ok = 0;
  gl.glGetProgramiv(id, GL_LINK_STATUS, &ok);
  if (!ok) {
    char log[2048] = {};
    gl.glGetProgramInfoLog(id, sizeof log, nullptr, log);
    gl.glDeleteProgram(id);
    problem = std::string("a shader program does not link: ") + log;
    return false;
  }
  program.id = id;
  auto loc = [&](const char* name) { return gl.glGetUniformLocation(id, name); };
  program.u.model = loc("uModel");
  program.u.viewProj = loc("uViewProj");
  program.u.eye = loc("uEye");
  program.u.towardsLight = loc("uTowardsLight");
  program.u.lightDiffuse = loc("uLightDiffuse");
  program.u.ambient = loc("uAmbient");
  program.u.sampler = loc("uSampler");
  return true;
}

}  // namespace

bool BuildPrograms(QOpenGLFunctions_3_3_Core& gl, GlPrograms& p, std::string& problem) {
  const std::string common = kCommon;
  const bool built = Link(gl, common + kSphereVertex, common + kSphereFragment, p.spheres, problem) &&
                     Link(gl, common + kLineVertex, common + kColourFragment, p.lines, problem) &&
                     Link(gl, common + kQuadVertex, common + kColourFragment, p.quads, problem) &&
                     Link(gl, common + kQuadVertex, common + kTexturedFragment, p.texturedQuads, problem) &&
                     Link(gl, kTextVertex, kTextFragment, p.text, problem);
  if (!built) {
    DeletePrograms(gl, p);
    return false;
  }
  p.textTargetSize = gl.glGetUniformLocation(p.text.id, "uTargetSize");
  return true;
}

void DeletePrograms(QOpenGLFunctions_3_3_Core& gl, GlPrograms& p) {
  for (GlProgram* program : {&p.spheres, &p.lines, &p.quads, &p.texturedQuads, &p.text}) {
    if (program->id != 0) gl.glDeleteProgram(program->id);
    *program = GlProgram{};
  }
}

}  // namespace rp
