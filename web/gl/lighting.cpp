#include "web/gl/lighting.h"

#include <cstring>
#include <initializer_list>

namespace {
constexpr float LIGHT_MODEL_AMBIENT[4] = {0.2f, 0.2f, 0.2f, 1};
}  // namespace

LightingState::LightingState() {
  for (float* term : {lights[0].colors.diffuse, lights[0].colors.specular})
    for (int k = 0; k < 4; ++k) term[k] = 1;
}

void storeLightPosition(Light& light, const TransformMatrix& modelview, const float* position) {
  transformPoint(modelview.m, position, light.eyePosition);
}

LightUniforms lightUniforms(const LightingState& lighting, const TransformMatrix& modelview) {
  LightUniforms u;
  const TransformMatrix::Analysis analysis = modelview.analyse();
  u.eyeSpaceNormals = !analysis.lengthPreserving;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) u.normalRows[r][c] = analysis.inverse[r * 4 + c];
  // The viewer at infinity, along +z in eye space.
  float eyeZ[3] = {0, 0, 1};
  if (!u.eyeSpaceNormals) {
    const float viewer[3] = {0, 0, 1};
    transformNormal(modelview.m, viewer, eyeZ);
  }
  const MaterialState& material = lighting.material;
  for (const Light& light : lighting.lights) {
    if (!light.enabled) continue;
    const int i = u.count++;
    float position[4];
    if (u.eyeSpaceNormals)
      std::memcpy(position, light.eyePosition, sizeof position);
    else
      transformPoint(analysis.inverse, light.eyePosition, position);
    float direction[3] = {position[0], position[1], position[2]};
    normalize3(direction);
    // From the normalised direction plus the viewer, as the desktop derives it.
    float half[3] = {position[0], position[1], position[2]};
    normalize3(half);
    for (int k = 0; k < 3; ++k) half[k] = half[k] + eyeZ[k];
    normalize3(half);
    for (int k = 0; k < 3; ++k) {
      u.direction[i][k] = direction[k];
      u.halfVector[i][k] = half[k];
      u.ambient[i][k] = light.colors.ambient[k] * material.colors.ambient[k];
      u.diffuse[i][k] = light.colors.diffuse[k] * material.colors.diffuse[k];
      u.specular[i][k] = light.colors.specular[k] * material.colors.specular[k];
    }
  }
  for (int k = 0; k < 3; ++k)
    u.sceneColor[k] = LIGHT_MODEL_AMBIENT[k] * material.colors.ambient[k] + material.emission[k];
  u.sceneColor[3] = material.colors.diffuse[3];
  u.shininess = material.shininess;
  return u;
}
