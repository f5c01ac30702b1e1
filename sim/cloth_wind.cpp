#include "sim/cloth.h"

void Cloth::addWind() {
  if (!hasWind()) return;
  for (int q = 0; q < QUAD_COUNT; ++q) {
    if (!quadIntact(q)) continue;  // a torn-off quad catches nothing
    const Vector3 normal = faceNormals[q];
    // The sign of the normal does not matter: n (n · w) is the same for -n.
    const Vector3 push = normal * (normal.dot(wind) * 0.25);
    const int r = quadCorner(q);
    accelerations[r] += push;
    accelerations[r + 1] += push;
    accelerations[r + GRID_SIDE] += push;
    accelerations[r + GRID_SIDE + 1] += push;
  }
}
