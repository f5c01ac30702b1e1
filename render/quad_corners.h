#pragma once

#include "render/opengl.h"
#include "sim/cloth.h"

// Corners of a quad in drawing order: clockwise seen from +z on the start-up
// grid, which is what front-face culling lets through. Each quad carries the
// whole image.
struct QuadCorner {
  int offset;  // from the quad's first corner particle
  float s;
  float t;
};
constexpr QuadCorner QUAD_CORNERS[] = {
    {0, 0.0f, 1.0f},
    {1, 1.0f, 1.0f},
    {GRID_SIDE + 1, 1.0f, 0.0f},
    {GRID_SIDE, 0.0f, 0.0f},
};

// A position handed to GL, each component rounded to float.
inline void glVertex(Vector3 p) {
  glVertex3f(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
}
