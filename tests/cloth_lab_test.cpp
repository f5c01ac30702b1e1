// The lab's parts in the step: the wind on the quads, the ball, tearing by
// stretch and by a cut, and mending. (That the program's step gives the
// plain step's values with each of them is cloth_step_test's sweep.)
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "app/startup_sheet.h"
#include "sim/cloth.h"
#include "sim/plain_step.h"
#include "tests/sim_fixture.h"

namespace {

// The flat start-up grid, nothing pinned, no gravity: each quad's normal is
// +z, so the wind's push is known exactly.
std::unique_ptr<Cloth> flatSheet() {
  auto cloth = makeCloth();
  layOutStartupGrid(*cloth);
  return cloth;
}

TEST(Wind, EachWholeQuadPushesItsCornersAlongItsNormal) {
  struct Case {
    const char* name;
    Vector3 wind;
    int particle;
    Vector3 acceleration;
  };
  // A corner has one quad, an edge particle two, an inner one four: a quarter each.
  const Case cases[] = {
      {"edge-on: none", Vector3(0.008, 0.004, 0), 1012, Vector3(0.008 * 0, 0, 0)},
      {"square on, a corner", Vector3(0, 0, 0.008), 0, Vector3(0, 0, 0.002)},
      {"square on, an edge", Vector3(0, 0, 0.008), 22, Vector3(0, 0, 0.004)},
      {"square on, inside", Vector3(0, 0, 0.008), 1012, Vector3(0, 0, 0.008)},
      {"aslant: only the normal's part", Vector3(0.5, 0, -0.008), 1012, Vector3(0, 0, -0.008)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto cloth = flatSheet();
    cloth->wind = c.wind;
    plain::computeFaceNormals(*cloth);
    plain::applyGravity(*cloth);
    cloth->addWind();
    expectSame(cloth->accelerations[c.particle], c.acceleration);
  }
}

TEST(Wind, ATornOffQuadCatchesNone) {
  auto cloth = flatSheet();
  cloth->wind = Vector3(0, 0, 0.008);
  // A cut between rows 0 and 1 takes the first row of quads away.
  ASSERT_EQ(
      cloth->cutSprings(Vector3(-100, 89, -200), Vector3(300, 89, -200), Vector3(100, 89, 300)),
      GRID_SIDE + 2 * (GRID_SIDE - 1));
  plain::computeFaceNormals(*cloth);
  plain::applyGravity(*cloth);
  cloth->addWind();
  expectSame(cloth->accelerations[0], Vector3(0, 0, 0));
  expectSame(cloth->accelerations[GRID_SIDE], Vector3(0, 0, 0.002));  // now a corner
}

TEST(Ball, ParticlesInsideGoOutToItsSurfaceAndTheRestStay) {
  auto cloth = flatSheet();
  const Vector3 centre = cloth->positions[1012] + Vector3(0.5, 0.25, 1.0);
  cloth->ball = {true, centre, 5.0};
  const auto before = std::make_unique<Cloth>(*cloth);
  cloth->keepOutOfBall();
  int moved = 0;
  for (int i = 0; i < PARTICLE_COUNT; ++i) {
    const Vector3 was = before->positions[i] - centre;
    const Vector3 now = cloth->positions[i] - centre;
    if (std::sqrt(was.dot(was)) >= 5.0) {
      expectSame(cloth->positions[i], before->positions[i]);
      continue;
    }
    ++moved;
    EXPECT_NEAR(std::sqrt(now.dot(now)), 5.0, 1e-12) << i;
    EXPECT_NEAR(now.cross(was).dot(now.cross(was)), 0.0, 1e-20)
        << i << " along the line from the centre";
  }
  EXPECT_GT(moved, 10);

  // A particle at the very centre goes up.
  cloth->ball = {true, cloth->positions[7], 2.0};
  const Vector3 at = cloth->positions[7];
  cloth->keepOutOfBall();
  expectSame(cloth->positions[7], at + Vector3(0, 2, 0));
}

TEST(Tearing, AHangingSheetKeepsItsSpringsWhenTearingComesOnAndAPullTearsThem) {
  auto cloth = makeStartupCloth();
  for (int n = 0; n < 500; ++n) cloth->step();
  cloth->tearRatio = 1.8;  // well below the pinned corners' 4 times
  for (int n = 0; n < 500; ++n) cloth->step();
  EXPECT_EQ(cloth->brokenSprings, 0) << "hanging, nothing tears";

  cloth->grabParticle(1012, cloth->positions[1012]);
  cloth->moveGrab(cloth->positions[1012] + Vector3(25, -20, 40));
  cloth->step();
  EXPECT_GT(cloth->brokenSprings, 0);
  // Broken at both ends: no entry names a particle that does not name it back.
  for (int p = 0; p < PARTICLE_COUNT; ++p) {
    for (const ClothSpring& spring : cloth->springs[p]) {
      if (spring.second == p) continue;  // missing or broken
      int back = 0;
      for (const ClothSpring& twin : cloth->springs[spring.second]) back += twin.second == p;
      EXPECT_EQ(back, 1) << p << " to " << spring.second;
    }
  }
  int torn = 0;
  for (int q = 0; q < QUAD_COUNT; ++q) torn += !cloth->quadIntact(q);
  EXPECT_GT(torn, 0);

  // r lays out a whole sheet: the table of a new cloth.
  layOutStartupGrid(*cloth);
  const auto fresh = makeCloth();
  EXPECT_EQ(std::memcmp(cloth->springs, fresh->springs, sizeof fresh->springs), 0);
  EXPECT_EQ(cloth->brokenSprings, 0);
}

TEST(Tearing, PinnedParticlesKeepTheirSpringsAtAnyStretch) {
  auto cloth = makeStartupCloth();
  cloth->tearRatio = 1.01;
  // The pins pull the corners some 30 units from their places at once.
  for (int n = 0; n < 5; ++n) cloth->step();
  const auto fresh = makeCloth();
  for (int slot = 0; slot < cloth->pinCount; ++slot) {
    const int pinned = cloth->pins[slot].particle;
    EXPECT_EQ(std::memcmp(cloth->springs[pinned], fresh->springs[pinned], sizeof fresh->springs[0]),
              0)
        << "a spring of pinned particle " << pinned << " broke";
  }
  EXPECT_GT(cloth->brokenSprings, 0) << "the springs one further in are no pin's";
}

TEST(Cut, BreaksExactlyTheSpringsCrossingTheTriangle) {
  struct Case {
    const char* name;
    Vector3 a, b, c;
    int broken;
  };
  const Case cases[] = {
      // Between rows 19 and 20 (heights 52 and 50), across the whole width:
      // 45 straight springs and 2 × 44 diagonals.
      {"across the sheet", {-100, 51, -200}, {300, 51, -200}, {100, 51, 300}, 45 + 88},
      // The same plane, but the triangle ends at x = 29.5, past column 9
      // (x = 28) and the middle of the diagonals from it (x = 29).
      {"part of the way in", {-100, 51, -200}, {29.5, 51, -200}, {29.5, 51, 300}, 10 + 2 * 10},
      {"beside the sheet", {200, 51, -200}, {300, 51, -200}, {250, 51, 300}, 0},
      {"in the sheet's plane: nothing crosses it", {-100, 51, 0}, {300, 51, 0}, {100, 200, 0}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto cloth = flatSheet();
    EXPECT_EQ(cloth->cutSprings(c.a, c.b, c.c), c.broken);
    EXPECT_EQ(cloth->brokenSprings, c.broken);
    EXPECT_EQ(cloth->cutSprings(c.a, c.b, c.c), 0) << "cut once, a spring stays cut";
  }
}

}  // namespace
