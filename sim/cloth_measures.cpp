#include "sim/cloth_measures.h"

#include <cmath>
#include <limits>

ClothMeasures measureCloth(const Cloth& cloth) {
  ClothMeasures measures{};
  // Each sum runs in particle order: every build adds in the same order.
  double moved = 0.0, height = 0.0, windWork = 0.0;
  const bool wind = cloth.hasWind();
  for (int i = 0; i < PARTICLE_COUNT; ++i) {
    const Vector3 travel = cloth.positions[i] - cloth.previousPositions[i];
    moved += travel.dot(travel);
    height += cloth.gravity.dot(cloth.positions[i]);
    if (wind) windWork += (cloth.accelerations[i] - cloth.gravity).dot(travel);
  }
  const double timeStep = cloth.timeStep;
  measures.kineticEnergy = timeStep == 0.0 ? std::numeric_limits<double>::quiet_NaN()
                                           : 0.5 * moved / (timeStep * timeStep);
  measures.potentialEnergy = -height;
  measures.windWork = windWork;

  double total = 0.0;
  long springs = 0;
  for (int p = 0; p < PARTICLE_COUNT; ++p) {
    for (const ClothSpring& spring : cloth.springs[p]) {
      // Each spring once, from the end stored first; not a self-joined entry.
      if (spring.first != p || spring.second <= p) continue;
      const Vector3 span = cloth.positions[spring.second] - cloth.positions[p];
      const double stretch =
          std::sqrt(span.dot(span)) / static_cast<double>(spring.restLength) - 1.0;
      if (springs == 0 || stretch > measures.maxStretch) measures.maxStretch = stretch;
      total += stretch;
      ++springs;
    }
  }
  measures.meanStretch = springs > 0 ? total / static_cast<double>(springs) : 0.0;
  measures.brokenSprings = cloth.brokenSprings;
  return measures;
}

double quadStretch(const Cloth& cloth, int q) {
  const int r = quadCorner(q);
  // Sides, then diagonals, each as a pair of particles and its rest length.
  const struct {
    int from, to;
    float restLength;
  } springs[] = {
      {r, r + 1, STRAIGHT_REST_LENGTH},
      {r + GRID_SIDE, r + GRID_SIDE + 1, STRAIGHT_REST_LENGTH},
      {r, r + GRID_SIDE, STRAIGHT_REST_LENGTH},
      {r + 1, r + GRID_SIDE + 1, STRAIGHT_REST_LENGTH},
      {r, r + GRID_SIDE + 1, DIAGONAL_REST_LENGTH},
      {r + 1, r + GRID_SIDE, DIAGONAL_REST_LENGTH},
  };
  double total = 0.0;
  for (const auto& spring : springs) {
    const Vector3 span = cloth.positions[spring.to] - cloth.positions[spring.from];
    total += std::sqrt(span.dot(span)) / static_cast<double>(spring.restLength) - 1.0;
  }
  return total / 6.0;
}
