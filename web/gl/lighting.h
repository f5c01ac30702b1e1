#pragma once

// The light arithmetic of fixed-function GL, in float as desktop GL's
// software implementation does it: what glLightfv stores, and the directions,
// half vectors and light-material products the shader receives for a draw.
// No WebGL here, so it is tested natively against desktop GL.
#include "web/gl/transform_matrix.h"

constexpr int LIGHT_UNITS = 8;

// RGBA terms that lights and materials both have.
struct ColorTerms {
  float ambient[4];
  float diffuse[4];
  float specular[4];
};

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

// The lights and material as GL starts them: GL_LIGHT0 alone has white
// diffuse and specular light.
struct LightingState {
  Light lights[LIGHT_UNITS];
  MaterialState material;
  LightingState();
};

// glLightfv(GL_POSITION): the position carried into eye coordinates by the
// modelview of the moment.
void storeLightPosition(Light& light, const TransformMatrix& modelview, const float* position);

// What the vertex shader lights with, for the enabled lights in unit order.
// Where the modelview only rotates and translates, lighting happens in object
// space (the normals need no transformation) and the lights are carried back
// there; otherwise in eye space, with normals through normalRows.
struct LightUniforms {
  bool eyeSpaceNormals = false;
  float normalRows[3][3];
  float sceneColor[4];
  int count = 0;
  float direction[LIGHT_UNITS][3];
  float halfVector[LIGHT_UNITS][3];
  float ambient[LIGHT_UNITS][3];
  float diffuse[LIGHT_UNITS][3];
  float specular[LIGHT_UNITS][3];
  float shininess = 0;
};
LightUniforms lightUniforms(const LightingState& lighting, const TransformMatrix& modelview);
