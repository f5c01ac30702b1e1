#include "web/gl/fixed_function_shader.h"

#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include <cstdio>
#include <string>

#include "web/gl/lighting.h"

namespace {

// The per-vertex program of fixed-function lighting: one-sided, directional
// lights, the viewer at infinity, no colour material; the lit colour is
// clamped and, flat shaded, taken from the last vertex of each primitive.
// Each line is one operation of the desktop's program, in its order: the
// position as a multiply and three multiply-adds on the columns, the dot
// products as three products summed left to right, and for each light the
// ambient, diffuse and specular terms added in turn.
// Compiled after "#version 300 es" and the number of light units as
// LIGHT_UNITS, the same number the light arithmetic holds.
constexpr const char* VERTEX_SHADER_BODY = R"(
in vec3 a_position;
in vec3 a_normal;
in vec2 a_texCoord;
uniform vec4 u_mvpColumns[4];
uniform vec3 u_normalRows[3];
uniform bool u_eyeSpaceNormals;
uniform bool u_lighting;
uniform vec4 u_color;
uniform vec4 u_sceneColor;
uniform int u_lightCount;
uniform vec3 u_lightDirection[LIGHT_UNITS];
uniform vec3 u_halfVector[LIGHT_UNITS];
uniform vec3 u_ambientProduct[LIGHT_UNITS];
uniform vec3 u_diffuseProduct[LIGHT_UNITS];
uniform vec3 u_specularProduct[LIGHT_UNITS];
uniform float u_shininess;
uniform bool u_shininessIsZero;
uniform float u_pointSize;
uniform bool u_legacyPoints;
uniform vec4 u_viewport;
uniform bool u_flipRows;
flat out vec4 v_color;
out vec4 v_texCoord;
void main() {
  vec4 position = u_mvpColumns[0] * a_position.x;
  position = u_mvpColumns[1] * a_position.y + position;
  position = u_mvpColumns[2] * a_position.z + position;
  gl_Position = u_mvpColumns[3] + position;
  gl_PointSize = u_pointSize;
  if (u_legacyPoints) {
    // A GL 1.x point covers whole pixels around the pixel its window
    // position falls in, once snapped to 1/256 of a pixel (odd sizes; even
    // sizes around the nearest pixel corner). A WebGL point is centred on the
    // vertex itself: move the vertex to that centre.
    vec2 scale = u_viewport.zw * 0.5;
    vec2 translate = u_viewport.xy + scale;
    vec2 window = gl_Position.xy * (1.0 / gl_Position.w) * scale + translate;
    vec2 snapped = floor(window * 256.0 + 0.5) / 256.0;
    vec2 centre = mod(u_pointSize, 2.0) == 1.0 ? floor(snapped) + 0.5 : floor(snapped + 0.5);
    gl_Position.xy = (centre - translate) / scale * gl_Position.w;
  }
  // Rows stored from the top where clip control is missing; after the
  // points, as the clip origin acts after the shader.
  if (u_flipRows) gl_Position.y = -gl_Position.y;
  v_texCoord = vec4(a_texCoord, 0.0, 1.0);
  if (!u_lighting) {
    v_color = clamp(u_color, 0.0, 1.0);
    return;
  }
  vec3 n = a_normal;
  if (u_eyeSpaceNormals)
    n = vec3(dot(a_normal, u_normalRows[0]), dot(a_normal, u_normalRows[1]), dot(a_normal, u_normalRows[2]));
  vec3 color = u_sceneColor.rgb;
  for (int i = 0; i < LIGHT_UNITS; ++i) {
    if (i >= u_lightCount) break;
    float nDotL = dot(n, u_lightDirection[i]);
    float diffuse;
    float specular;
    if (u_shininessIsZero) {
      diffuse = max(0.0, nDotL);
      specular = 0.0 < nDotL ? 1.0 : 0.0;
    } else {
      float nDotH = dot(n, u_halfVector[i]);
      diffuse = max(nDotL, 0.0);
      specular = 0.0 >= nDotL ? 0.0
                              : pow(max(nDotH, 0.0), max(min(u_shininess, 128.0), -128.0));
    }
    color = u_ambientProduct[i] + color;
    color = diffuse * u_diffuseProduct[i] + color;
    color = specular * u_specularProduct[i] + color;
  }
  v_color = clamp(vec4(color, u_sceneColor.a), 0.0, 1.0);
}
)";

// GL_MODULATE: the texel times the lit colour. Fixed-function texturing is
// projective: s and t are divided by the interpolated q (1 at every vertex,
// not always exactly 1 between them), which decides the nearest texel. The
// sampler is highp: a fragment shader's samplers are lowp by default, and
// some engines (WebKit) then take the product at that precision, a level
// below the desktop's at some pixels.
constexpr const char* FRAGMENT_SHADER = R"(#version 300 es
precision highp float;
flat in vec4 v_color;
in vec4 v_texCoord;
uniform bool u_texturing;
uniform highp sampler2D u_sampler;
out vec4 fragColor;
void main() {
  fragColor = u_texturing ? textureProj(u_sampler, v_texCoord) * v_color : v_color;
}
)";

GLuint compile(GLenum kind, const char* source) {
  const GLuint shader = emscripten_glCreateShader(kind);
  emscripten_glShaderSource(shader, 1, &source, nullptr);
  emscripten_glCompileShader(shader);
  GLint compiled = 0;
  emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (!compiled) {
    char log[1024] = "";
    emscripten_glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::fprintf(stderr, "vantrelle: a shader did not compile: %s\n", log);
  }
  return shader;
}

}  // namespace

bool buildFixedFunctionShader(FixedFunctionShader& shader) {
  shader.program = emscripten_glCreateProgram();
  const std::string vertexShader =
      "#version 300 es\n#define LIGHT_UNITS " + std::to_string(LIGHT_UNITS) + VERTEX_SHADER_BODY;
  emscripten_glAttachShader(shader.program, compile(GL_VERTEX_SHADER, vertexShader.c_str()));
  emscripten_glAttachShader(shader.program, compile(GL_FRAGMENT_SHADER, FRAGMENT_SHADER));
  emscripten_glBindAttribLocation(shader.program, POSITION_ATTRIBUTE, "a_position");
  emscripten_glBindAttribLocation(shader.program, NORMAL_ATTRIBUTE, "a_normal");
  emscripten_glBindAttribLocation(shader.program, TEXCOORD_ATTRIBUTE, "a_texCoord");
  emscripten_glLinkProgram(shader.program);
  GLint linked = 0;
  emscripten_glGetProgramiv(shader.program, GL_LINK_STATUS, &linked);
  if (!linked) {
    char log[1024] = "";
    emscripten_glGetProgramInfoLog(shader.program, sizeof log, nullptr, log);
    std::fprintf(stderr, "vantrelle: the shaders did not link: %s\n", log);
    return false;
  }
  auto location = [&](const char* name) {
    return emscripten_glGetUniformLocation(shader.program, name);
  };
  ShaderUniforms& u = shader.uniforms;
  u.mvpColumns = location("u_mvpColumns");
  u.normalRows = location("u_normalRows");
  u.eyeSpaceNormals = location("u_eyeSpaceNormals");
  u.lighting = location("u_lighting");
  u.color = location("u_color");
  u.sceneColor = location("u_sceneColor");
  u.lightCount = location("u_lightCount");
  u.lightDirection = location("u_lightDirection");
  u.halfVector = location("u_halfVector");
  u.ambientProduct = location("u_ambientProduct");
  u.diffuseProduct = location("u_diffuseProduct");
  u.specularProduct = location("u_specularProduct");
  u.shininess = location("u_shininess");
  u.shininessIsZero = location("u_shininessIsZero");
  u.pointSize = location("u_pointSize");
  u.legacyPoints = location("u_legacyPoints");
  u.viewport = location("u_viewport");
  u.flipRows = location("u_flipRows");
  u.texturing = location("u_texturing");
  u.sampler = location("u_sampler");
  emscripten_glUseProgram(shader.program);
  emscripten_glUniform1i(u.sampler, 0);
  return true;
}

void setLightUniforms(const ShaderUniforms& u, const LightUniforms& lights) {
  emscripten_glUniform3fv(u.normalRows, 3, &lights.normalRows[0][0]);
  emscripten_glUniform1i(u.eyeSpaceNormals, lights.eyeSpaceNormals);
  emscripten_glUniform4fv(u.sceneColor, 1, lights.sceneColor);
  emscripten_glUniform1i(u.lightCount, lights.count);
  if (lights.count > 0) {
    emscripten_glUniform3fv(u.lightDirection, lights.count, &lights.direction[0][0]);
    emscripten_glUniform3fv(u.halfVector, lights.count, &lights.halfVector[0][0]);
    emscripten_glUniform3fv(u.ambientProduct, lights.count, &lights.ambient[0][0]);
    emscripten_glUniform3fv(u.diffuseProduct, lights.count, &lights.diffuse[0][0]);
    emscripten_glUniform3fv(u.specularProduct, lights.count, &lights.specular[0][0]);
  }
  emscripten_glUniform1f(u.shininess, lights.shininess);
  emscripten_glUniform1i(u.shininessIsZero, lights.shininess == 0.0f);
}
