// The fixed-function GL 1.x subset the program calls, on WebGL 2: matrix
// stacks, lights and materials lit per vertex in one small shader, flat
// shading, points, lines and quads gathered between glBegin and glEnd and
// drawn as one batch, and textures named by slot numbers.
//
// The picture must be the desktop's: every value the shader receives is
// prepared on the CPU in float the way desktop GL's software implementation
// prepares it (matrix products, inverses, normalised light directions,
// light-material products), and the shader repeats its per-vertex program
// operation for operation.
#include "web/fixed_function_gl.h"

#include <emscripten/emscripten.h>
#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "web/opengl.h"
#include "web/transform_matrix.h"

namespace {

constexpr int LIGHT_UNITS = 8;

// RGBA terms that lights and materials both have.
struct ColorTerms {
  float ambient[4];
  float diffuse[4];
  float specular[4];
};

// The term a glLightfv or glMaterialfv parameter names, if it is one.
float* colorTerm(ColorTerms& terms, GLenum pname) {
  switch (pname) {
    case GL_AMBIENT:
      return terms.ambient;
    case GL_DIFFUSE:
      return terms.diffuse;
    case GL_SPECULAR:
      return terms.specular;
  }
  return nullptr;
}

struct Light {
  bool enabled = false;
  float eyePosition[4] = {0, 0, 1, 0};  // the direction it comes from, in eye coordinates
  ColorTerms colors = {{0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}};
};

struct MaterialState {
  ColorTerms colors = {{0.2f, 0.2f, 0.2f, 1}, {0.8f, 0.8f, 0.8f, 1}, {0, 0, 0, 1}};
  float emission[4] = {0, 0, 0, 1};
  float shininess = 0;
};
constexpr float LIGHT_MODEL_AMBIENT[4] = {0.2f, 0.2f, 0.2f, 1};

// A texture as the program names it, with a copy of its image so that a
// lost context can be given it again.
struct Texture {
  GLuint object = 0;  // the WebGL texture, made on first use
  bool hasImage = false;
  GLint internalFormat = 0;
  GLsizei width = 0;
  GLsizei height = 0;
  GLenum format = 0;
  GLenum type = 0;
  std::vector<unsigned char> pixels;  // empty for an image without data
  std::map<GLenum, GLint> parameters;
};

struct State {
  std::vector<TransformMatrix> modelview{TransformMatrix::identity()};
  std::vector<TransformMatrix> projection{TransformMatrix::identity()};
  GLenum matrixMode = GL_MODELVIEW;

  float normal[3] = {0, 0, 1};
  float texCoord[2] = {0, 0};
  float color[4] = {1, 1, 1, 1};
  float pointSize = 1;
  float lineWidth = 1;

  bool lighting = false;
  bool texturing = false;
  bool depthTest = false;
  bool cullFace = false;
  GLenum cullFaceMode = GL_BACK;
  float clearColor[4] = {0, 0, 0, 0};
  GLint viewport[4] = {0, 0, 0, 0};
  GLint unpackAlignment = 4;

  Light lights[LIGHT_UNITS];
  MaterialState material;

  // GL_LIGHT0 alone starts with white diffuse and specular light.
  State() {
    for (float* term : {lights[0].colors.diffuse, lights[0].colors.specular})
      for (int k = 0; k < 4; ++k) term[k] = 1;
  }

  std::map<GLuint, Texture> textures;
  GLuint boundTexture = 0;

  GLenum primitive = 0;
  bool inBatch = false;
  std::vector<FixedFunctionVertex> batch;
};
State state;

// WebGL objects; all made again after a lost context.
struct Resources {
  GLuint program = 0;
  GLuint vertexArray = 0;
  GLuint buffer = 0;
  GLuint quadIndices = 0;        // element buffer cutting quads into triangles
  std::vector<GLuint> quadCuts;  // its contents, grown to the largest batch
};
Resources gpu;

struct Uniforms {
  GLint mvpColumns, normalRows, eyeSpaceNormals, lighting, color, sceneColor, lightCount,
      lightDirection, halfVector, ambientProduct, diffuseProduct, specularProduct, shininess,
      shininessIsZero, pointSize, legacyPoints, viewport, texturing, sampler;
};
Uniforms uniforms;

TransformMatrix& currentMatrix() {
  return state.matrixMode == GL_PROJECTION ? state.projection.back() : state.modelview.back();
}
std::vector<TransformMatrix>& currentStack() {
  return state.matrixMode == GL_PROJECTION ? state.projection : state.modelview;
}

// The per-vertex program of fixed-function lighting: one-sided, directional
// lights, the viewer at infinity, no colour material; the lit colour is
// clamped and, flat shaded, taken from the last vertex of each primitive.
// Each line is one operation of the desktop's program, in its order: the
// position as a multiply and three multiply-adds on the columns, the dot
// products as three products summed left to right, and for each light the
// ambient, diffuse and specular terms added in turn.
constexpr const char* VERTEX_SHADER = R"(#version 300 es
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
uniform vec3 u_lightDirection[8];
uniform vec3 u_halfVector[8];
uniform vec3 u_ambientProduct[8];
uniform vec3 u_diffuseProduct[8];
uniform vec3 u_specularProduct[8];
uniform float u_shininess;
uniform bool u_shininessIsZero;
uniform float u_pointSize;
uniform bool u_legacyPoints;
uniform vec4 u_viewport;
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
  v_texCoord = vec4(a_texCoord, 0.0, 1.0);
  if (!u_lighting) {
    v_color = clamp(u_color, 0.0, 1.0);
    return;
  }
  vec3 n = a_normal;
  if (u_eyeSpaceNormals)
    n = vec3(dot(a_normal, u_normalRows[0]), dot(a_normal, u_normalRows[1]), dot(a_normal, u_normalRows[2]));
  vec3 color = u_sceneColor.rgb;
  for (int i = 0; i < 8; ++i) {
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
// not always exactly 1 between them), which decides the nearest texel.
constexpr const char* FRAGMENT_SHADER = R"(#version 300 es
precision highp float;
flat in vec4 v_color;
in vec4 v_texCoord;
uniform bool u_texturing;
uniform sampler2D u_sampler;
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

// The vertex layout in gpu.buffer.
void describeVertices(GLuint vertexArray) {
  emscripten_glBindVertexArray(vertexArray);
  emscripten_glBindBuffer(GL_ARRAY_BUFFER, gpu.buffer);
  const GLsizei stride = sizeof(FixedFunctionVertex);
  emscripten_glVertexAttribPointer(
      0, 3, GL_FLOAT, GL_FALSE, stride,
      reinterpret_cast<void*>(offsetof(FixedFunctionVertex, position)));
  emscripten_glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride,
                                   reinterpret_cast<void*>(offsetof(FixedFunctionVertex, normal)));
  emscripten_glVertexAttribPointer(
      2, 2, GL_FLOAT, GL_FALSE, stride,
      reinterpret_cast<void*>(offsetof(FixedFunctionVertex, texCoord)));
  for (GLuint attribute = 0; attribute < 3; ++attribute)
    emscripten_glEnableVertexAttribArray(attribute);
}

bool buildProgram() {
  gpu.program = emscripten_glCreateProgram();
  emscripten_glAttachShader(gpu.program, compile(GL_VERTEX_SHADER, VERTEX_SHADER));
  emscripten_glAttachShader(gpu.program, compile(GL_FRAGMENT_SHADER, FRAGMENT_SHADER));
  emscripten_glBindAttribLocation(gpu.program, 0, "a_position");
  emscripten_glBindAttribLocation(gpu.program, 1, "a_normal");
  emscripten_glBindAttribLocation(gpu.program, 2, "a_texCoord");
  emscripten_glLinkProgram(gpu.program);
  GLint linked = 0;
  emscripten_glGetProgramiv(gpu.program, GL_LINK_STATUS, &linked);
  if (!linked) {
    char log[1024] = "";
    emscripten_glGetProgramInfoLog(gpu.program, sizeof log, nullptr, log);
    std::fprintf(stderr, "vantrelle: the shaders did not link: %s\n", log);
    return false;
  }
  auto location = [](const char* name) {
    return emscripten_glGetUniformLocation(gpu.program, name);
  };
  uniforms.mvpColumns = location("u_mvpColumns");
  uniforms.normalRows = location("u_normalRows");
  uniforms.eyeSpaceNormals = location("u_eyeSpaceNormals");
  uniforms.lighting = location("u_lighting");
  uniforms.color = location("u_color");
  uniforms.sceneColor = location("u_sceneColor");
  uniforms.lightCount = location("u_lightCount");
  uniforms.lightDirection = location("u_lightDirection");
  uniforms.halfVector = location("u_halfVector");
  uniforms.ambientProduct = location("u_ambientProduct");
  uniforms.diffuseProduct = location("u_diffuseProduct");
  uniforms.specularProduct = location("u_specularProduct");
  uniforms.shininess = location("u_shininess");
  uniforms.shininessIsZero = location("u_shininessIsZero");
  uniforms.pointSize = location("u_pointSize");
  uniforms.legacyPoints = location("u_legacyPoints");
  uniforms.viewport = location("u_viewport");
  uniforms.texturing = location("u_texturing");
  uniforms.sampler = location("u_sampler");
  emscripten_glUseProgram(gpu.program);
  emscripten_glUniform1i(uniforms.sampler, 0);

  emscripten_glGenBuffers(1, &gpu.buffer);
  emscripten_glGenVertexArrays(1, &gpu.vertexArray);
  describeVertices(gpu.vertexArray);
  return true;
}

// WebGL has no GL_CLAMP; under nearest filtering clamping to the edge takes
// the same texels.
GLint webglParameter(GLint value) { return value == GL_CLAMP ? GL_CLAMP_TO_EDGE : value; }

// Uploads the texture's image and parameters to its WebGL object, made on
// first use (WebGL cannot bind name 0, so every name gets an object of its own).
void upload(Texture& texture) {
  if (texture.object == 0) emscripten_glGenTextures(1, &texture.object);
  emscripten_glBindTexture(GL_TEXTURE_2D, texture.object);
  if (texture.hasImage) {
    // Format 3 is GL 1.0's "three components": 8-bit RGB.
    const GLint internal = texture.internalFormat == 3 ? GL_RGB8 : texture.internalFormat;
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    emscripten_glTexImage2D(GL_TEXTURE_2D, 0, internal, texture.width, texture.height, 0,
                            texture.format, texture.type,
                            texture.pixels.empty() ? nullptr : texture.pixels.data());
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, state.unpackAlignment);
  }
  for (const auto& [name, value] : texture.parameters)
    emscripten_glTexParameteri(GL_TEXTURE_2D, name, webglParameter(value));
}

void applyCapability(GLenum capability, bool on) {
  if (on)
    emscripten_glEnable(capability);
  else
    emscripten_glDisable(capability);
}

// The fixed-function capabilities are the layer's alone; depth test and
// culling are WebGL's, and kept here too for a restored context.
bool* capabilitySwitch(GLenum capability) {
  if (capability == GL_LIGHTING) return &state.lighting;
  if (capability == GL_TEXTURE_2D) return &state.texturing;
  if (capability >= GL_LIGHT0 && capability < GL_LIGHT0 + LIGHT_UNITS)
    return &state.lights[capability - GL_LIGHT0].enabled;
  return nullptr;
}

void setCapability(GLenum capability, bool on) {
  if (bool* layerSwitch = capabilitySwitch(capability)) {
    *layerSwitch = on;
    return;
  }
  if (capability == GL_DEPTH_TEST) state.depthTest = on;
  if (capability == GL_CULL_FACE) state.cullFace = on;
  applyCapability(capability, on);
}

// A window's rows are stored from the top, a WebGL framebuffer's from the
// bottom, and the rasteriser's fill and interpolation work on stored rows: a
// picture drawn the other way up differs at some pixels. With the clip
// origin at the upper left the frame is stored as a window's, and the page
// shows the canvas turned over (its class rows-from-top).
EM_JS(bool, storeRowsFromTop, (), {
  var clipControl = GLctx.getExtension('EXT_clip_control');
  if (clipControl)
    clipControl.clipControlEXT(clipControl.UPPER_LEFT_EXT, clipControl.NEGATIVE_ONE_TO_ONE_EXT);
  Module.canvas.classList.toggle('rows-from-top', Boolean(clipControl));
  return Boolean(clipControl);
});

void applyState() {
  storeRowsFromTop();
  applyCapability(GL_DEPTH_TEST, state.depthTest);
  applyCapability(GL_CULL_FACE, state.cullFace);
  emscripten_glCullFace(state.cullFaceMode);
  emscripten_glClearColor(state.clearColor[0], state.clearColor[1], state.clearColor[2],
                          state.clearColor[3]);
  emscripten_glViewport(state.viewport[0], state.viewport[1], state.viewport[2], state.viewport[3]);
  emscripten_glLineWidth(state.lineWidth);
  emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, state.unpackAlignment);
}

size_t bytesPerPixel(GLenum format) { return format == GL_RGBA ? 4 : format == GL_RGB ? 3 : 1; }

// Light directions and products for the current modelview, as desktop GL
// derives them: in eye coordinates, or, when the modelview only rotates and
// translates, carried back into object coordinates so that the normals need
// no transformation.
struct LightUniforms {
  int count = 0;
  float direction[LIGHT_UNITS][3];
  float halfVector[LIGHT_UNITS][3];
  float ambient[LIGHT_UNITS][3];
  float diffuse[LIGHT_UNITS][3];
  float specular[LIGHT_UNITS][3];
};

void setLightingUniforms(const TransformMatrix& modelview) {
  const TransformMatrix::Analysis analysis = modelview.analyse();
  const bool eyeSpace = !analysis.lengthPreserving;
  float normalRows[3][3];
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) normalRows[r][c] = analysis.inverse[r * 4 + c];
  float eyeZ[3] = {0, 0, 1};
  if (!eyeSpace) {
    const float viewer[3] = {0, 0, 1};
    transformNormal(modelview.m, viewer, eyeZ);
  }
  LightUniforms lights;
  const MaterialState& material = state.material;
  for (const Light& light : state.lights) {
    if (!light.enabled) continue;
    const int i = lights.count++;
    float position[4];
    if (eyeSpace)
      std::memcpy(position, light.eyePosition, sizeof position);
    else
      transformPoint(analysis.inverse, light.eyePosition, position);
    float direction[3] = {position[0], position[1], position[2]};
    normalize3(direction);
    float half[3] = {position[0], position[1], position[2]};
    normalize3(half);
    for (int k = 0; k < 3; ++k) half[k] = half[k] + eyeZ[k];
    normalize3(half);
    for (int k = 0; k < 3; ++k) {
      lights.direction[i][k] = direction[k];
      lights.halfVector[i][k] = half[k];
      lights.ambient[i][k] = light.colors.ambient[k] * material.colors.ambient[k];
      lights.diffuse[i][k] = light.colors.diffuse[k] * material.colors.diffuse[k];
      lights.specular[i][k] = light.colors.specular[k] * material.colors.specular[k];
    }
  }
  float sceneColor[4];
  for (int k = 0; k < 3; ++k)
    sceneColor[k] = LIGHT_MODEL_AMBIENT[k] * material.colors.ambient[k] + material.emission[k];
  sceneColor[3] = material.colors.diffuse[3];

  emscripten_glUniform3fv(uniforms.normalRows, 3, &normalRows[0][0]);
  emscripten_glUniform1i(uniforms.eyeSpaceNormals, eyeSpace);
  emscripten_glUniform4fv(uniforms.sceneColor, 1, sceneColor);
  emscripten_glUniform1i(uniforms.lightCount, lights.count);
  if (lights.count > 0) {
    emscripten_glUniform3fv(uniforms.lightDirection, lights.count, &lights.direction[0][0]);
    emscripten_glUniform3fv(uniforms.halfVector, lights.count, &lights.halfVector[0][0]);
    emscripten_glUniform3fv(uniforms.ambientProduct, lights.count, &lights.ambient[0][0]);
    emscripten_glUniform3fv(uniforms.diffuseProduct, lights.count, &lights.diffuse[0][0]);
    emscripten_glUniform3fv(uniforms.specularProduct, lights.count, &lights.specular[0][0]);
  }
  emscripten_glUniform1f(uniforms.shininess, material.shininess);
  emscripten_glUniform1i(uniforms.shininessIsZero, material.shininess == 0.0f);
}

void setUniforms(GLenum mode) {
  const TransformMatrix& modelview = state.modelview.back();
  const TransformMatrix mvp = product(state.projection.back(), modelview);
  emscripten_glUniform4fv(uniforms.mvpColumns, 4, mvp.m);
  emscripten_glUniform1i(uniforms.lighting, state.lighting);
  emscripten_glUniform4fv(uniforms.color, 1, state.color);
  // Sizes are whole pixels for points that are not sprites.
  emscripten_glUniform1f(uniforms.pointSize, std::max(1.0f, std::floor(state.pointSize + 0.5f)));
  emscripten_glUniform1i(uniforms.legacyPoints, mode == GL_POINTS);
  const float viewport[4] = {
      static_cast<float>(state.viewport[0]), static_cast<float>(state.viewport[1]),
      static_cast<float>(state.viewport[2]), static_cast<float>(state.viewport[3])};
  emscripten_glUniform4fv(uniforms.viewport, 1, viewport);
  if (state.lighting) setLightingUniforms(modelview);

  auto texture = state.textures.find(state.boundTexture);
  // A name without an image is an incomplete texture: as if texturing were off.
  const bool texturing =
      state.texturing && texture != state.textures.end() && texture->second.hasImage;
  emscripten_glUniform1i(uniforms.texturing, texturing);
  if (texturing) emscripten_glBindTexture(GL_TEXTURE_2D, texture->second.object);
}

}  // namespace

bool createFixedFunctionResources() {
  if (!buildProgram()) return false;
  applyState();
  return true;
}

void restoreFixedFunctionResources() {
  gpu = Resources{};
  buildProgram();
  for (auto& [name, texture] : state.textures) {
    texture.object = 0;
    upload(texture);
  }
  applyState();
}

void drawVertices(unsigned mode, const FixedFunctionVertex* vertices, int count) {
  if (count == 0 || gpu.program == 0) return;
  emscripten_glUseProgram(gpu.program);
  emscripten_glBindVertexArray(gpu.vertexArray);
  emscripten_glBindBuffer(GL_ARRAY_BUFFER, gpu.buffer);
  emscripten_glBufferData(GL_ARRAY_BUFFER, count * sizeof(FixedFunctionVertex), vertices,
                          GL_STREAM_DRAW);
  if (mode != GL_QUADS) {
    setUniforms(mode);
    emscripten_glDrawArrays(mode, 0, count);
    return;
  }
  // Each quad as the triangles (0, 1, 3) and (1, 2, 3): the cut the
  // desktop's rasteriser makes, which decides how the texture coordinates
  // and depths are interpolated across the quad. Indexed, so each corner is
  // uploaded and lit once.
  const size_t cuts = static_cast<size_t>(count / 4) * 6;
  if (gpu.quadIndices == 0) emscripten_glGenBuffers(1, &gpu.quadIndices);
  emscripten_glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gpu.quadIndices);
  if (cuts > gpu.quadCuts.size()) {
    for (GLuint q = static_cast<GLuint>(gpu.quadCuts.size() / 6); q < count / 4; ++q)
      for (GLuint corner : {0, 1, 3, 1, 2, 3}) gpu.quadCuts.push_back(4 * q + corner);
    emscripten_glBufferData(GL_ELEMENT_ARRAY_BUFFER, gpu.quadCuts.size() * sizeof(GLuint),
                            gpu.quadCuts.data(), GL_STATIC_DRAW);
  }
  setUniforms(GL_TRIANGLES);
  emscripten_glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(cuts), GL_UNSIGNED_INT, nullptr);
}

extern "C" {

// Immediate mode: vertices carry the current normal and texture coordinate.
void glBegin(GLenum mode) {
  state.primitive = mode;
  state.inBatch = true;
  state.batch.clear();
}

void glEnd() {
  state.inBatch = false;
  drawVertices(state.primitive, state.batch.data(), static_cast<int>(state.batch.size()));
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (!state.inBatch) return;
  state.batch.push_back({{x, y, z},
                         {state.normal[0], state.normal[1], state.normal[2]},
                         {state.texCoord[0], state.texCoord[1]}});
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  state.normal[0] = x;
  state.normal[1] = y;
  state.normal[2] = z;
}

void glTexCoord2f(GLfloat s, GLfloat t) {
  state.texCoord[0] = s;
  state.texCoord[1] = t;
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue) {
  state.color[0] = red;
  state.color[1] = green;
  state.color[2] = blue;
  state.color[3] = 1;
}

void glPointSize(GLfloat size) { state.pointSize = size; }

void glLineWidth(GLfloat width) {
  state.lineWidth = width;
  emscripten_glLineWidth(width);
}

// Matrices.
void glMatrixMode(GLenum mode) { state.matrixMode = mode; }
void glLoadIdentity() { currentMatrix() = TransformMatrix::identity(); }
void glPushMatrix() { currentStack().push_back(currentMatrix()); }
void glPopMatrix() {
  if (currentStack().size() > 1) currentStack().pop_back();
}
void glMultMatrixf(const GLfloat* m) { currentMatrix().multiply(m); }
void glMultMatrixd(const GLdouble* m) {
  float single[16];
  for (int i = 0; i < 16; ++i) single[i] = static_cast<float>(m[i]);
  currentMatrix().multiply(single);
}
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  if (angle != 0.0f) currentMatrix().rotate(angle, x, y, z);
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { currentMatrix().translate(x, y, z); }
void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
  currentMatrix().translate(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

// Lights and materials.
void glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
  const unsigned unit = light - GL_LIGHT0;
  if (unit >= LIGHT_UNITS) return;
  Light& l = state.lights[unit];
  if (pname == GL_POSITION)
    // Carried into eye coordinates by the modelview of the moment.
    transformPoint(state.modelview.back().m, params, l.eyePosition);
  else if (float* term = colorTerm(l.colors, pname))
    std::memcpy(term, params, sizeof l.colors.ambient);
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
  if (face != GL_FRONT && face != GL_FRONT_AND_BACK) return;  // lighting is one-sided
  MaterialState& m = state.material;
  if (pname == GL_SHININESS)
    m.shininess = params[0];
  else if (float* term = colorTerm(m.colors, pname))
    std::memcpy(term, params, sizeof m.colors.ambient);
}

// Flat is the one shade model drawn: colours are passed flat.
void glShadeModel(GLenum mode) {
  if (mode != GL_FLAT) std::fprintf(stderr, "vantrelle: only flat shading is drawn\n");
}

// Capabilities: the fixed-function ones are the layer's own.
void glEnable(GLenum capability) { setCapability(capability, true); }
void glDisable(GLenum capability) { setCapability(capability, false); }

// State WebGL has, kept here too so that a restored context gets it back.
void glCullFace(GLenum mode) {
  state.cullFaceMode = mode;
  emscripten_glCullFace(mode);
}

void glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  const float color[4] = {red, green, blue, alpha};
  std::memcpy(state.clearColor, color, sizeof color);
  emscripten_glClearColor(red, green, blue, alpha);
}

void glClear(GLbitfield mask) { emscripten_glClear(mask); }

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  const GLint viewport[4] = {x, y, width, height};
  std::memcpy(state.viewport, viewport, sizeof viewport);
  emscripten_glViewport(x, y, width, height);
}

void glPixelStorei(GLenum pname, GLint value) {
  if (pname == GL_UNPACK_ALIGNMENT) state.unpackAlignment = value;
  emscripten_glPixelStorei(pname, value);
}

// Textures, named by the program's own numbers.
void glBindTexture(GLenum, GLuint name) {
  state.boundTexture = name;
  Texture& texture = state.textures[name];
  if (texture.object == 0) upload(texture);
  emscripten_glBindTexture(GL_TEXTURE_2D, texture.object);
}

void glTexImage2D(GLenum, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint,
                  GLenum format, GLenum type, const void* pixels) {
  if (level != 0) return;  // no mipmaps are built
  Texture& texture = state.textures[state.boundTexture];
  texture.hasImage = true;
  texture.internalFormat = internalFormat;
  texture.width = width;
  texture.height = height;
  texture.format = format;
  texture.type = type;
  // Kept tightly packed, whatever the unpack alignment the rows came with.
  texture.pixels.clear();
  if (pixels != nullptr && width > 0 && height > 0) {
    const auto* bytes = static_cast<const unsigned char*>(pixels);
    const size_t packedRow = width * bytesPerPixel(format);
    // Rows as the unpack alignment lays them out.
    const size_t alignment = static_cast<size_t>(state.unpackAlignment);
    const size_t alignedRow = (packedRow + alignment - 1) / alignment * alignment;
    texture.pixels.resize(packedRow * height);
    for (GLsizei row = 0; row < height; ++row)
      std::memcpy(&texture.pixels[row * packedRow], bytes + row * alignedRow, packedRow);
  }
  upload(texture);
}

void glTexParameteri(GLenum, GLenum pname, GLint value) {
  Texture& texture = state.textures[state.boundTexture];
  texture.parameters[pname] = value;
  if (texture.object == 0) upload(texture);
  emscripten_glBindTexture(GL_TEXTURE_2D, texture.object);
  emscripten_glTexParameteri(GL_TEXTURE_2D, pname, webglParameter(value));
}

void glTexParameterf(GLenum target, GLenum pname, GLfloat value) {
  glTexParameteri(target, pname, static_cast<GLint>(value));
}

}  // extern "C"
