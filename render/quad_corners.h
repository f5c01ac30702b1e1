#pragma once

#include "sim/cloth.h"

// Corners of a quad in drawing order: clockwise seen from +z on the start-up
// grid, which is what front-face culling lets through. Each quad carries the
// whole image. No GL here: the sheet's export writes its faces in this
// order too.
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
