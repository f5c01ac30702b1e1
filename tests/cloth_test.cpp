#include "sim/cloth.h"
#include "app/startup_sheet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "tests/sim_fixture.h"

namespace {

TEST(Cloth, ConstructionStartsAtRestWithDefaults) {
  auto cloth = makeCloth();
  for (int i = 0; i < PARTICLE_COUNT; ++i) {
    EXPECT_EQ(cloth->particlePosition(i).x, 0.0);
    EXPECT_EQ(cloth->particlePosition(i).y, 0.0);
    EXPECT_EQ(cloth->particlePosition(i).z, 0.0);
  }
  for (int q = 0; q < QUAD_COUNT; ++q) EXPECT_EQ(cloth->faceNormal(q).dot(cloth->faceNormal(q)), 0);
  EXPECT_EQ(cloth->timeStep, 1.0);
  EXPECT_EQ(cloth->stiffness, 0.5);
  EXPECT_EQ(cloth->pinCount, 0);
  EXPECT_EQ(cloth->nextPinSlot, 0);
  EXPECT_EQ(cloth->boxSize, 100.0f);
}

TEST(Cloth, RestLengthsAreFloats) {
  EXPECT_EQ(STRAIGHT_REST_LENGTH, 2.0f);
  EXPECT_EQ(static_cast<double>(DIAGONAL_REST_LENGTH), 2.8284270763397216796875);
  EXPECT_EQ(DIAGONAL_REST_LENGTH, static_cast<float>(2.0 * std::sqrt(2.0)));
  EXPECT_EQ(PARTICLE_COUNT, 2025);
  EXPECT_EQ(QUAD_COUNT, 1936);
}

TEST(Cloth, SpringTableGoesAroundEachParticleFromItsLeftNeighbour) {
  struct Case {
    int particle;
    int second[SPRINGS_PER_PARTICLE];  // the particle itself where no neighbour exists
  };
  const Case cases[] = {
      {0, {0, 0, 0, 0, 1, 46, 45, 0}},                           // top-left corner
      {44, {43, 44, 44, 44, 44, 44, 89, 88}},                    // top-right corner
      {1980, {1980, 1980, 1935, 1936, 1981, 1980, 1980, 1980}},  // bottom-left corner
      {2024, {2023, 1978, 1979, 2024, 2024, 2024, 2024, 2024}},  // bottom-right corner
      {1, {0, 1, 1, 1, 2, 47, 46, 45}},                          // top edge
      {1000, {999, 954, 955, 956, 1001, 1046, 1045, 1044}},      // interior
  };
  auto cloth = makeCloth();
  for (const Case& c : cases) {
    for (int k = 0; k < SPRINGS_PER_PARTICLE; ++k) {
      SCOPED_TRACE(testing::Message() << "particle " << c.particle << " entry " << k);
      const ClothSpring& spring = cloth->springs[c.particle][k];
      EXPECT_EQ(spring.first, c.particle);
      EXPECT_EQ(spring.second, c.second[k]);
      const float expected = spring.second == c.particle ? 0.0f
                             : k % 2 == 0                ? STRAIGHT_REST_LENGTH
                                                         : DIAGONAL_REST_LENGTH;
      EXPECT_EQ(spring.restLength, expected);
    }
  }
}

TEST(Cloth, EverySpringIsStoredOnceUnderEachEnd) {
  auto cloth = makeCloth();
  int real = 0;
  int missing = 0;
  for (int p = 0; p < PARTICLE_COUNT; ++p) {
    for (const ClothSpring& spring : cloth->springs[p]) {
      if (spring.second == p) {
        ++missing;
        continue;
      }
      ++real;
      int twins = 0;
      for (const ClothSpring& back : cloth->springs[spring.second])
        if (back.second == p && back.restLength == spring.restLength) ++twins;
      EXPECT_EQ(twins, 1) << "spring " << p << "-" << spring.second;
    }
  }
  EXPECT_EQ(real, 15664);
  EXPECT_EQ(missing, 536);
}

TEST(Cloth, ResetGridLaysRowsDownAndColumnsAcrossAtRest) {
  auto cloth = makeCloth();
  layOutStartupGrid(*cloth);
  struct Case {
    int particle;
    Vector3 expected;
  };
  const Case cases[] = {{0, {10, 90, 0}}, {44, {98, 90, 0}}, {46, {12, 88, 0}}, {2024, {98, 2, 0}}};
  for (const Case& c : cases) {
    const Vector3 p = cloth->particlePosition(c.particle);
    EXPECT_EQ(p.x, c.expected.x);
    EXPECT_EQ(p.y, c.expected.y);
    EXPECT_EQ(p.z, c.expected.z);
  }
  // z follows the row, x the column only; the history equals the positions.
  cloth->resetGrid(0.5, 0, 1, 0.25, 0, 3);
  for (int i = 0; i < PARTICLE_COUNT; ++i) {
    EXPECT_EQ(cloth->positions[i].x, (i % GRID_SIDE) * 0.25 + 0.5);
    EXPECT_EQ(cloth->positions[i].z, (i / GRID_SIDE) * 3.0 + 1.0);
    EXPECT_EQ(cloth->previousPositions[i].x, cloth->positions[i].x);
    EXPECT_EQ(cloth->previousPositions[i].y, cloth->positions[i].y);
    EXPECT_EQ(cloth->previousPositions[i].z, cloth->positions[i].z);
  }
}

TEST(Cloth, PinsFormARingOfTheFiveMostRecent) {
  auto cloth = makeCloth();
  for (int n = 0; n < 6; ++n) cloth->addPin(n * 10, n, 0, 0);
  EXPECT_EQ(cloth->pinCount, 5);
  EXPECT_EQ(cloth->nextPinSlot, 1);
  EXPECT_EQ(cloth->pins[0].particle, 50);
  EXPECT_EQ(cloth->pins[0].position.x, 5.0);
  EXPECT_EQ(cloth->pins[1].particle, 10);

  cloth->clearPins();
  EXPECT_EQ(cloth->pinCount, 0);
  cloth->addPin(7, 1, 2, 3);
  cloth->addPin(8, 4, 5, 6);
  EXPECT_EQ(cloth->pinCount, 2);
  EXPECT_EQ(cloth->nextPinSlot, 2);
  cloth->clearPins();
  cloth->addPin(9, 0, 0, 0);
  EXPECT_EQ(cloth->pins[0].particle, 9) << "after clearPins the next pin goes to slot 0";
  EXPECT_EQ(cloth->pinCount, 1);
}

TEST(Cloth, SettersStoreTheirArgumentsUnchecked) {
  auto cloth = makeCloth();
  cloth->setStiffness(-3.5);
  cloth->setTimeStep(-0.5);
  cloth->setGravity(1, -2, 3);
  EXPECT_EQ(cloth->stiffness, -3.5);
  EXPECT_EQ(cloth->timeStep, -0.5);
  EXPECT_EQ(cloth->gravity.y, -2.0);
}

}  // namespace
