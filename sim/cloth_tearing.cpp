#include "sim/cloth.h"

namespace {

// Entries 4 and 6 of a particle join it to its right and lower neighbours.
constexpr int RIGHT_ENTRY = 4;
constexpr int LOWER_ENTRY = 6;

// Orientation of d against the plane through a, b, c: the sign of the
// volume they span. Only + − ×, so every build rounds it alike.
double orientation(Vector3 a, Vector3 b, Vector3 c, Vector3 d) {
  return (b - a).cross(c - a).dot(d - a);
}

bool isPinned(const Cloth& cloth, int particle) {
  for (int slot = 0; slot < cloth.pinCount; ++slot)
    if (cloth.pins[slot].particle == particle) return true;
  return false;
}

// Breaks entry k of particle p and its twin under the other end.
void breakSpring(Cloth& cloth, int p, int k) {
  ClothSpring& spring = cloth.springs[p][k];
  const int other = spring.second;
  for (ClothSpring& twin : cloth.springs[other])
    if (twin.second == p) twin = {other, other, 0.0f};
  spring = {p, p, 0.0f};
  ++cloth.brokenSprings;
}

}  // namespace

bool Cloth::quadSidesHold(int q) const {
  const int r = quadCorner(q);
  return springs[r][RIGHT_ENTRY].second == r + 1 &&
         springs[r][LOWER_ENTRY].second == r + GRID_SIDE &&
         springs[r + 1][LOWER_ENTRY].second == r + 1 + GRID_SIDE &&
         springs[r + GRID_SIDE][RIGHT_ENTRY].second == r + GRID_SIDE + 1;
}

void Cloth::tearStretchedSprings() {
  if (tearRatio <= 0.0) return;
  // Each spring once, from its lower-numbered end.
  for (int p = 0; p < PARTICLE_COUNT; ++p) {
    if (isPinned(*this, p)) continue;
    for (int k = 0; k < SPRINGS_PER_PARTICLE; ++k) {
      const ClothSpring spring = springs[p][k];
      if (spring.second <= p || isPinned(*this, spring.second)) continue;
      const Vector3 delta = positions[spring.second] - positions[p];
      const double limit = tearRatio * static_cast<double>(spring.restLength);
      if (delta.dot(delta) > limit * limit) breakSpring(*this, p, k);
    }
  }
}

int Cloth::cutSprings(Vector3 a, Vector3 b, Vector3 c) {
  int cut = 0;
  for (int p = 0; p < PARTICLE_COUNT; ++p) {
    for (int k = 0; k < SPRINGS_PER_PARTICLE; ++k) {
      const ClothSpring spring = springs[p][k];
      if (spring.second <= p) continue;
      const Vector3 from = positions[p], to = positions[spring.second];
      // The ends on opposite sides of the triangle's plane, and the line
      // through them passing inside its three edges.
      const double sideFrom = orientation(a, b, c, from), sideTo = orientation(a, b, c, to);
      if (!((sideFrom < 0.0 && sideTo > 0.0) || (sideFrom > 0.0 && sideTo < 0.0))) continue;
      const double ab = orientation(from, to, a, b), bc = orientation(from, to, b, c),
                   ca = orientation(from, to, c, a);
      if ((ab > 0.0 && bc > 0.0 && ca > 0.0) || (ab < 0.0 && bc < 0.0 && ca < 0.0)) {
        breakSpring(*this, p, k);
        ++cut;
      }
    }
  }
  return cut;
}
