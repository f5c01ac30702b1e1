#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "app/startup_sheet.h"
#include "sim/cloth.h"
#include "sim/plain_step.h"
#include "tests/sim_fixture.h"

namespace {

// Every spring entry turned into a self-entry, every particle parked at the
// box centre: lets a test put in exactly the springs and particles it needs.
std::unique_ptr<Cloth> makeIsolatedCloth() {
  auto cloth = makeCloth();
  for (int p = 0; p < PARTICLE_COUNT; ++p) {
    cloth->positions[p] = cloth->previousPositions[p] = Vector3(50, 50, 0);
    for (ClothSpring& spring : cloth->springs[p]) spring = {p, p, 0.0f};
  }
  return cloth;
}

void joinOneWay(Cloth& cloth, int a, int b, float restLength) {
  cloth.springs[a][0] = {a, b, restLength};
}

TEST(FaceNormals, FlatStartupSheetFacesPlusZ) {
  auto cloth = makeStartupCloth();
  plain::computeFaceNormals(*cloth);
  for (int q = 0; q < QUAD_COUNT; ++q) expectSame(cloth->faceNormal(q), Vector3(0, 0, 1));
}

TEST(FaceNormals, UseNextRowEdgeCrossNextColumnEdgeAndDropNegativeX) {
  struct Case {
    Vector3 towardNextColumn;
    Vector3 towardNextRow;
    Vector3 expected;
  };
  const double inverseSqrt2 = 1.0 / static_cast<double>(static_cast<float>(std::sqrt(2.0)));
  const Case cases[] = {
      {{1, 0, 0}, {0, -1, 0}, {0, 0, 1}},   // start-up orientation
      {{0, -1, 0}, {1, 0, 0}, {0, 0, -1}},  // edges swapped: the other side
      {{1, 0, 1}, {0, -1, 0}, {0, 0, 1}},   // raw (-1, 0, 1): x dropped before normalising
      {{1, 0, -1}, {0, -1, 0}, {inverseSqrt2, 0, inverseSqrt2}},  // raw (1, 0, 1)
      {{4, 3, 0}, {0, 0, 1}, {0, 1, 0}},                          // raw (-3, 4, 0)
  };
  for (const Case& c : cases) {
    auto cloth = makeCloth();
    cloth->positions[1] = c.towardNextColumn;
    cloth->positions[GRID_SIDE] = c.towardNextRow;
    plain::computeFaceNormals(*cloth);
    expectSame(cloth->faceNormal(0), c.expected);
  }
}

TEST(FaceNormals, QuadsRunRowByRowSkippingTheLastColumn) {
  struct Case {
    int quad;
    int corner;
  };
  const Case cases[] = {{0, 0}, {43, 43}, {44, 45}, {1935, 1978}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.quad);
    auto cloth = makeCloth();
    cloth->positions[c.corner + 1] = Vector3(1, 0, 0);
    cloth->positions[c.corner + GRID_SIDE] = Vector3(0, -1, 0);
    plain::computeFaceNormals(*cloth);
    expectSame(cloth->faceNormal(c.quad), Vector3(0, 0, 1));
  }
}

TEST(FaceNormals, DegenerateQuadsGetZeroNormalsAndTheStepGoesOn) {
  auto cloth = makeCloth();  // every particle at the origin
  cloth->step();
  for (int q = 0; q < QUAD_COUNT; ++q) {
    const Vector3 n = cloth->faceNormal(q);
    ASSERT_EQ(n.dot(n), 0.0) << "quad " << q;
  }
}

TEST(Gravity, OverwritesAccelerationsEveryStep) {
  auto cloth = makeCloth();
  cloth->setGravity(0, -0.25, 0.5);
  plain::applyGravity(*cloth);
  plain::applyGravity(*cloth);
  for (int i = 0; i < PARTICLE_COUNT; ++i)
    expectSame(cloth->accelerations[i], Vector3(0, -0.25, 0.5));
}

TEST(Integrate, TimeStepEntersOnlyAsItsSquare) {
  struct Case {
    double timeStep;
    double expectedY;  // from y = 3, previous y = 1, acceleration -0.5
  };
  const Case cases[] = {
      {0.0, 3.0 + (3.0 * 0.99 - 1.0 * 0.99)},
      {2.0, 3.0 + ((3.0 * 0.99 - 1.0 * 0.99) + -1.0)},
      {-2.0, 3.0 + ((3.0 * 0.99 - 1.0 * 0.99) + -1.0)},
  };
  for (const Case& c : cases) {
    auto cloth = makeCloth();
    cloth->positions[7] = Vector3(0, 3, 0);
    cloth->previousPositions[7] = Vector3(0, 1, 0);
    cloth->setGravity(0, -0.5, 0);
    cloth->setTimeStep(c.timeStep);
    plain::applyGravity(*cloth);
    plain::integrate(*cloth);
    EXPECT_EQ(cloth->positions[7].y, c.expectedY) << "time step " << c.timeStep;
    EXPECT_EQ(cloth->previousPositions[7].y, 3.0);
  }
}

TEST(Integrate, NegativeTimeStepMovesTheSheetExactlyAsItsAbsoluteValue) {
  auto forward = makeStartupCloth();
  auto backward = makeStartupCloth();
  backward->setTimeStep(-1);
  for (int n = 0; n < 50; ++n) {
    forward->step();
    backward->step();
  }
  for (int i = 0; i < PARTICLE_COUNT; ++i)
    expectSame(backward->positions[i], forward->positions[i]);
}

TEST(Step, FirstTwoStepsOfARestingSheetOnlyLowerIt) {
  auto cloth = makeCloth();
  layOutStartupGrid(*cloth);
  cloth->setGravity(0, -0.01, 0);
  Cloth start = *cloth;
  cloth->step();
  for (int i = 0; i < PARTICLE_COUNT; ++i) {
    EXPECT_EQ(cloth->positions[i].x, start.positions[i].x);
    EXPECT_EQ(cloth->positions[i].y, start.positions[i].y + -0.005);
    EXPECT_EQ(cloth->positions[i].z, 0.0);
  }
  Cloth afterOne = *cloth;
  cloth->step();
  for (int i = 0; i < PARTICLE_COUNT; ++i) {
    const double y1 = afterOne.positions[i].y;
    const double y0 = start.positions[i].y;
    EXPECT_EQ(cloth->positions[i].y, y1 + ((y1 * 0.99 - y0 * 0.99) + -0.005));
    EXPECT_NEAR(cloth->positions[i].y, y0 - (0.005 + 0.99 * 0.005 + 0.005), 1e-12);
    EXPECT_EQ(cloth->positions[i].x, start.positions[i].x);
  }
}

TEST(Relaxation, OneEntryMovesEachEndByStiffnessTimesTheStretch) {
  struct Case {
    double stiffness;
    double gap;           // distance along x before the pass
    double expectedMove;  // how far each end moves toward the other
  };
  const Case cases[] = {{0.5, 3.0, 0.5}, {1.0, 3.0, 1.0}, {0.5, 1.0, -0.5}, {0.0, 3.0, 0.0}};
  for (const Case& c : cases) {
    auto cloth = makeIsolatedCloth();
    cloth->positions[10] = Vector3(20, 50, 0);
    cloth->positions[11] = Vector3(20 + c.gap, 50, 0);
    joinOneWay(*cloth, 10, 11, STRAIGHT_REST_LENGTH);
    cloth->setStiffness(c.stiffness);
    plain::satisfyConstraints(*cloth);
    // The correction factor is rounded to float, so the move is exact only to that.
    const float factor = static_cast<float>((c.gap - 2.0) / c.gap);
    const double move = c.gap * c.stiffness * static_cast<double>(factor);
    EXPECT_EQ(cloth->positions[10].x, 20 + move);
    EXPECT_EQ(cloth->positions[11].x, (20 + c.gap) - move);
    EXPECT_NEAR(move, c.expectedMove, 1e-6);
    EXPECT_EQ(cloth->positions[10].y, 50.0);
  }
}

TEST(Relaxation, TwinEntryRelaxesTheSameSpringAgain) {
  struct Case {
    double stiffness;
    double expectedGap;
  };
  // At 0.5 the first entry restores the rest length and the twin finds nothing
  // to do; at 1 the first overshoots to 1 and the twin pushes back to 3.
  const Case cases[] = {{0.5, 2.0}, {1.0, 3.0}};
  for (const Case& c : cases) {
    auto cloth = makeIsolatedCloth();
    cloth->positions[10] = Vector3(20, 50, 0);
    cloth->positions[11] = Vector3(23, 50, 0);
    joinOneWay(*cloth, 10, 11, STRAIGHT_REST_LENGTH);
    joinOneWay(*cloth, 11, 10, STRAIGHT_REST_LENGTH);
    cloth->setStiffness(c.stiffness);
    plain::satisfyConstraints(*cloth);
    EXPECT_NEAR(cloth->positions[11].x - cloth->positions[10].x, c.expectedGap, 1e-5);
  }
}

TEST(Relaxation, ZeroLengthSpringsMoveNothing) {
  // Two distinct particles at one point: the spring has no direction to act in.
  auto isolated = makeIsolatedCloth();
  isolated->positions[1] = isolated->positions[0] = Vector3(30, 30, 5);
  joinOneWay(*isolated, 0, 1, STRAIGHT_REST_LENGTH);
  plain::satisfyConstraints(*isolated);
  expectSame(isolated->positions[0], Vector3(30, 30, 5));
  expectSame(isolated->positions[1], Vector3(30, 30, 5));
}

TEST(Relaxation, ClampsEachParticleIntoTheBoxBeforeItsOwnSprings) {
  auto cloth = makeIsolatedCloth();
  cloth->positions[3] = Vector3(-5, 120, 60);
  cloth->positions[4] = Vector3(0, 100, 47);  // 3 below the clamped place along z
  cloth->positions[5] = Vector3(50, 50, -60);
  joinOneWay(*cloth, 3, 4, STRAIGHT_REST_LENGTH);
  plain::satisfyConstraints(*cloth);
  // Had the spring acted before the clamp, particle 3 would have moved in x and y.
  EXPECT_EQ(cloth->positions[3].x, 0.0);
  EXPECT_EQ(cloth->positions[3].y, 100.0);
  EXPECT_NEAR(cloth->positions[3].z, 49.5, 1e-6);
  EXPECT_NEAR(cloth->positions[4].z, 47.5, 1e-6);
  expectSame(cloth->positions[5], Vector3(50, 50, -50));
  EXPECT_EQ(cloth->previousPositions[3].x, 50.0) << "the clamp leaves the history alone";
}

TEST(Relaxation, BoxFollowsTheBoxSizeMember) {
  auto cloth = makeIsolatedCloth();
  cloth->boxSize = 40.0f;
  cloth->positions[3] = Vector3(45, -1, 30);
  plain::satisfyConstraints(*cloth);
  expectSame(cloth->positions[3], Vector3(40, 0, 20));
}

TEST(Pins, ComeLastAndTheHighestSlotWins) {
  auto cloth = makeIsolatedCloth();
  cloth->addPin(8, 1, 1, 1);
  cloth->addPin(9, 150, 90, 0);  // outside the box: still held there
  cloth->addPin(7, 2, 2, 2);
  cloth->addPin(9, 60, 61, 62);
  cloth->positions[7] = Vector3(5, 5, 5);  // integrate carries it away; the pin brings it back
  cloth->step();
  expectSame(cloth->positions[8], Vector3(1, 1, 1));
  expectSame(cloth->positions[9], Vector3(60, 61, 62));
  expectSame(cloth->positions[7], Vector3(2, 2, 2));

  cloth->clearPins();
  cloth->addPin(9, 150, 90, 0);
  cloth->step();
  expectSame(cloth->positions[9], Vector3(150, 90, 0));
  cloth->clearPins();
  cloth->step();
  EXPECT_NE(cloth->positions[9].x, 150.0) << "with no pins nothing is held";
}

TEST(Step, StartupSheetHangsFromItsPins) {
  auto cloth = makeStartupCloth();
  for (int n = 0; n < 300; ++n) cloth->step();
  expectSame(cloth->positions[0], Vector3(20, 90, 30));
  expectSame(cloth->positions[44], Vector3(65, 90, -20));
  double sumY = 0;
  for (int i = 0; i < PARTICLE_COUNT; ++i) {
    const Vector3 p = cloth->positions[i];
    ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) << i;
    EXPECT_LE(p.y, 90.5) << "particle " << i << " above its pins";
    sumY += p.y;
  }
  EXPECT_LT(sumY / PARTICLE_COUNT, 70.0) << "the sheet should hang well below the pins";
  for (int q = 0; q < QUAD_COUNT; ++q) {
    const Vector3 n = cloth->faceNormal(q);
    EXPECT_NEAR(n.dot(n), 1.0, 1e-6) << "quad " << q;
  }
}

}  // namespace
