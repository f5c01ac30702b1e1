#pragma once

#include "render/opengl.h"
#include "sim/vector3.h"

// A position handed to GL, each component rounded to float.
inline void glVertex(Vector3 p) {
  glVertex3f(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
}
