#include "sim/cloth.h"

#include <cassert>
#include <cmath>

namespace {

// The eight neighbours in entry order: once around the particle, starting at
// its left neighbour. Even entries are straight springs, odd ones diagonal.
struct NeighbourOffset {
  int row;
  int column;
};
constexpr NeighbourOffset NEIGHBOUR_OFFSETS[SPRINGS_PER_PARTICLE] = {
    {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}, {1, 0}, {1, -1},
};

bool insideGrid(int row, int column) {
  return row >= 0 && row < GRID_SIDE && column >= 0 && column < GRID_SIDE;
}

}  // namespace

Cloth::Cloth() {
  for (int p = 0; p < PARTICLE_COUNT; ++p) {
    const int row = p / GRID_SIDE;
    const int column = p % GRID_SIDE;
    for (int k = 0; k < SPRINGS_PER_PARTICLE; ++k) {
      const NeighbourOffset offset = NEIGHBOUR_OFFSETS[k];
      ClothSpring& spring = springs[p][k];
      spring.first = p;
      if (insideGrid(row + offset.row, column + offset.column)) {
        spring.second = p + offset.row * GRID_SIDE + offset.column;
        spring.restLength = k % 2 == 0 ? STRAIGHT_REST_LENGTH : DIAGONAL_REST_LENGTH;
      } else {
        spring.second = p;
        spring.restLength = 0.0f;
      }
    }
  }
}

void Cloth::resetGrid(double x0, double y0, double z0, double dx, double dy, double dz) {
  for (int i = 0; i < PARTICLE_COUNT; ++i) {
    const double column = i % GRID_SIDE;
    const double row = i / GRID_SIDE;
    positions[i] = Vector3(column * dx + x0, row * dy + y0, row * dz + z0);
    previousPositions[i] = positions[i];
  }
}

void Cloth::addPin(int particle, double x, double y, double z) {
  assert(particle >= 0 && particle < PARTICLE_COUNT);
  pins[nextPinSlot].particle = particle;
  pins[nextPinSlot].position = Vector3(x, y, z);
  ++pinCount;
  nextPinSlot = (nextPinSlot + 1) % MAX_PINS;
  if (pinCount > MAX_PINS) pinCount = MAX_PINS;
}

void Cloth::clearPins() {
  pinCount = 0;
  nextPinSlot = 0;
}

void Cloth::step() {
  computeFaceNormals();
  applyGravity();
  integrate();
  satisfyConstraints();
}

void Cloth::computeFaceNormals() {
  // r walks the first corners of the quads; the last column starts none.
  constexpr int END = (GRID_SIDE - 2) * GRID_SIDE + (GRID_SIDE - 1);
  int q = 0;
  for (int r = 0; r < END; ++r, ++q) {
    if (r % GRID_SIDE == GRID_SIDE - 1) ++r;
    const Vector3 towardNextColumn = positions[r + 1] - positions[r];
    const Vector3 towardNextRow = positions[r + GRID_SIDE] - positions[r];
    Vector3& normal = faceNormals[q];
    normal = towardNextRow.cross(towardNextColumn);
    // Normals are kept off the -x half-space before normalising.
    if (normal.x < 0.0) normal.x = 0.0;
    normalize(normal);
  }
}

void Cloth::applyGravity() {
  for (Vector3& acceleration : accelerations) acceleration = gravity;
}

void Cloth::integrate() {
  for (int i = 0; i < PARTICLE_COUNT; ++i) {
    const Vector3 old = positions[i];
    // Grouping fixed: both damped terms rounded before their difference.
    const Vector3 travel = (positions[i] * DAMPING_FACTOR - previousPositions[i] * DAMPING_FACTOR) +
                           ((accelerations[i] * timeStep) * timeStep) * 0.5;
    positions[i] += travel;
    previousPositions[i] = old;
  }
}

void Cloth::satisfyConstraints() {
  for (int pass = 0; pass < RELAXATION_PASSES; ++pass) {
    for (int j = 0; j < PARTICLE_COUNT; ++j) {
      const double box = boxSize;
      const Vector3 lower(0.0, 0.0, -0.5 * box);
      const Vector3 upper(box, box, 0.5 * box);
      positions[j] = componentMin(componentMax(positions[j], lower), upper);

      // Gauss-Seidel: each correction is seen by every later one.
      for (const ClothSpring& spring : springs[j]) {
        const Vector3 delta = positions[spring.second] - positions[spring.first];
        // Length and correction factor are rounded to float here.
        const float length = static_cast<float>(std::sqrt(delta.dot(delta)));
        float factor = 0.0f;
        if (length != 0.0f) {
          factor = static_cast<float>(
              (static_cast<double>(length) - static_cast<double>(spring.restLength)) /
              static_cast<double>(length));
        }
        const Vector3 correction = (delta * stiffness) * static_cast<double>(factor);
        positions[spring.first] += correction;
        positions[spring.second] -= correction;
      }
    }
  }
  // Pins last, in slot order: the highest slot naming a particle wins.
  for (int slot = 0; slot < pinCount; ++slot) positions[pins[slot].particle] = pins[slot].position;
}
