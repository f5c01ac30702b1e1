#pragma once

// The one WebGL program that does fixed-function GL's per-vertex and
// per-fragment work for every primitive the program draws.
#include "web/gl/lighting.h"
#include "web/gl/opengl.h"

// Attribute locations, as the vertex layout binds them.
enum ShaderAttribute : GLuint {
  POSITION_ATTRIBUTE = 0,
  NORMAL_ATTRIBUTE = 1,
  TEXCOORD_ATTRIBUTE = 2
};

struct ShaderUniforms {
  GLint mvpColumns, normalRows, eyeSpaceNormals, lighting, color, sceneColor, lightCount,
      lightDirection, halfVector, ambientProduct, diffuseProduct, specularProduct, shininess,
      shininessIsZero, pointSize, legacyPoints, viewport, flipRows, texturing, sampler;
};

struct FixedFunctionShader {
  GLuint program = 0;
  ShaderUniforms uniforms;
};

// Compiles and links the program on the current context and finds its
// uniforms; false, after saying why on stderr, if it does not build.
bool buildFixedFunctionShader(FixedFunctionShader& shader);

// Hands the shader the lights of a draw.
void setLightUniforms(const ShaderUniforms& uniforms, const LightUniforms& lights);
