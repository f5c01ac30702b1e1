#include "sim/cloth.h"

#include <cassert>

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

Cloth::Cloth() { layOutSprings(); }

void Cloth::layOutSprings() {
  brokenSprings = 0;
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
