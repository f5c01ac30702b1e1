#include "web/gl/vertex_batch.h"

#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "web/gl/context_state.h"
#include "web/gl/fixed_function_shader.h"
#include "web/gl/texture_store.h"

namespace {

// WebGL objects; all made again after a lost context.
struct Resources {
  FixedFunctionShader shader;
  GLuint vertexArray = 0;
  GLuint buffer = 0;
  GLuint quadIndices = 0;        // element buffer cutting quads into triangles
  std::vector<GLuint> quadCuts;  // its contents, grown to the largest batch
};
Resources gpu;

void describeVertices() {
  emscripten_glBindVertexArray(gpu.vertexArray);
  emscripten_glBindBuffer(GL_ARRAY_BUFFER, gpu.buffer);
  struct Attribute {
    GLuint location;
    GLint size;
    size_t offset;
  };
  const Attribute attributes[] = {
      {POSITION_ATTRIBUTE, 3, offsetof(FixedFunctionVertex, position)},
      {NORMAL_ATTRIBUTE, 3, offsetof(FixedFunctionVertex, normal)},
      {TEXCOORD_ATTRIBUTE, 2, offsetof(FixedFunctionVertex, texCoord)},
  };
  for (const Attribute& a : attributes) {
    emscripten_glVertexAttribPointer(a.location, a.size, GL_FLOAT, GL_FALSE,
                                     sizeof(FixedFunctionVertex),
                                     reinterpret_cast<void*>(a.offset));
    emscripten_glEnableVertexAttribArray(a.location);
  }
}

bool buildResources() {
  if (!buildFixedFunctionShader(gpu.shader)) return false;
  emscripten_glGenBuffers(1, &gpu.buffer);
  emscripten_glGenVertexArrays(1, &gpu.vertexArray);
  describeVertices();
  return true;
}

void setUniforms(GLenum mode) {
  const ShaderUniforms& u = gpu.shader.uniforms;
  const TransformMatrix& modelview = glState.modelview.back();
  const TransformMatrix mvp = product(glState.projection.back(), modelview);
  emscripten_glUniform4fv(u.mvpColumns, 4, mvp.m);
  emscripten_glUniform1i(u.lighting, glState.lighting);
  emscripten_glUniform4fv(u.color, 1, glState.color);
  // Sizes are whole pixels for points that are not sprites.
  emscripten_glUniform1f(u.pointSize, std::max(1.0f, std::floor(glState.pointSize + 0.5f)));
  emscripten_glUniform1i(u.legacyPoints, mode == GL_POINTS);
  const GLint* v = glState.viewport;
  const float viewport[4] = {static_cast<float>(v[0]), static_cast<float>(v[1]),
                             static_cast<float>(v[2]), static_cast<float>(v[3])};
  emscripten_glUniform4fv(u.viewport, 1, viewport);
  if (glState.lighting) setLightUniforms(u, lightUniforms(glState.lights, modelview));

  const StoredTexture* texture =
      glState.texturing ? textureWithImage(glState.boundTexture) : nullptr;
  emscripten_glUniform1i(u.texturing, texture != nullptr);
  if (texture != nullptr) emscripten_glBindTexture(GL_TEXTURE_2D, texture->object);
}

void applyState() {
  const bool flipRows = applyContextState();
  emscripten_glUseProgram(gpu.shader.program);
  emscripten_glUniform1i(gpu.shader.uniforms.flipRows, flipRows);
}

}  // namespace

bool createFixedFunctionResources() {
  if (!buildResources()) return false;
  applyState();
  return true;
}

void restoreFixedFunctionResources() {
  gpu = Resources{};
  buildResources();
  restoreTextures(glState.unpackAlignment);
  applyState();
}

void drawVertices(unsigned mode, const FixedFunctionVertex* vertices, int count) {
  if (count == 0 || gpu.shader.program == 0) return;
  emscripten_glUseProgram(gpu.shader.program);
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
    for (GLuint q = static_cast<GLuint>(gpu.quadCuts.size() / 6);
         q < static_cast<GLuint>(count / 4); ++q)
      for (GLuint corner : {0, 1, 3, 1, 2, 3}) gpu.quadCuts.push_back(4 * q + corner);
    emscripten_glBufferData(GL_ELEMENT_ARRAY_BUFFER, gpu.quadCuts.size() * sizeof(GLuint),
                            gpu.quadCuts.data(), GL_STATIC_DRAW);
  }
  setUniforms(GL_TRIANGLES);
  emscripten_glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(cuts), GL_UNSIGNED_INT, nullptr);
}
