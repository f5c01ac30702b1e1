#include "sim/plain_step.h"

#include <cmath>

namespace plain {

void step(Cloth& cloth) {
  computeFaceNormals(cloth);
  applyGravity(cloth);
  cloth.addWind();
  integrate(cloth);
  satisfyConstraints(cloth);
  cloth.tearStretchedSprings();
}

void computeFaceNormals(Cloth& cloth) {
  const Vector3* positions = cloth.positions;
  // r walks the first corners of the quads; the last column starts none.
  constexpr int END = (GRID_SIDE - 2) * GRID_SIDE + (GRID_SIDE - 1);
  int q = 0;
  for (int r = 0; r < END; ++r, ++q) {
    if (r % GRID_SIDE == GRID_SIDE - 1) ++r;
    const Vector3 towardNextColumn = positions[r + 1] - positions[r];
    const Vector3 towardNextRow = positions[r + GRID_SIDE] - positions[r];
    Vector3& normal = cloth.faceNormals[q];
    normal = towardNextRow.cross(towardNextColumn);
    // Normals are kept off the -x half-space before normalising.
    if (normal.x < 0.0) normal.x = 0.0;
    normalize(normal);
  }
}

void applyGravity(Cloth& cloth) {
  for (Vector3& acceleration : cloth.accelerations) acceleration = cloth.gravity;
}

void integrate(Cloth& cloth) {
  const double timeStep = cloth.timeStep;
  const double damping = cloth.damping;
  for (int i = 0; i < PARTICLE_COUNT; ++i) {
    Vector3& position = cloth.positions[i];
    const Vector3 old = position;
    // Grouping fixed: both damped terms rounded before their difference.
    const Vector3 travel = (position * damping - cloth.previousPositions[i] * damping) +
                           ((cloth.accelerations[i] * timeStep) * timeStep) * 0.5;
    position += travel;
    cloth.previousPositions[i] = old;
  }
}

void satisfyConstraints(Cloth& cloth) {
  Vector3* positions = cloth.positions;
  for (int pass = 0; pass < cloth.relaxationPasses; ++pass) {
    for (int j = 0; j < PARTICLE_COUNT; ++j) {
      const double box = cloth.boxSize;
      const Vector3 lower(0.0, 0.0, -0.5 * box);
      const Vector3 upper(box, box, 0.5 * box);
      positions[j] = componentMin(componentMax(positions[j], lower), upper);

      // Gauss-Seidel: each correction is seen by every later one.
      for (const ClothSpring& spring : cloth.springs[j]) {
        const Vector3 delta = positions[spring.second] - positions[spring.first];
        // Length and correction factor are rounded to float here.
        const float length = static_cast<float>(std::sqrt(delta.dot(delta)));
        float factor = 0.0f;
        if (length != 0.0f) {
          factor = static_cast<float>(
              (static_cast<double>(length) - static_cast<double>(spring.restLength)) /
              static_cast<double>(length));
        }
        const Vector3 correction = (delta * cloth.stiffness) * static_cast<double>(factor);
        positions[spring.first] += correction;
        positions[spring.second] -= correction;
      }
    }
  }
  // The ball keeps the sheet out before the pins.
  cloth.keepOutOfBall();
  // Pins last, in slot order: the highest slot naming a particle wins.
  for (int slot = 0; slot < cloth.pinCount; ++slot)
    positions[cloth.pins[slot].particle] = cloth.pins[slot].position;
  // Then the hand, if one holds a particle.
  cloth.holdGrabbedParticle();
}

}  // namespace plain
