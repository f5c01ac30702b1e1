// The hand: one particle held at a target by each step, as the mouse, a
// finger or a script holds it.
#include <gtest/gtest.h>

#include <memory>

#include "app/startup_sheet.h"
#include "sim/cloth.h"
#include "sim/plain_step.h"
#include "tests/sim_fixture.h"

namespace {

std::unique_ptr<Cloth> hangingCloth() {
  auto cloth = makeStartupCloth();
  for (int n = 0; n < 50; ++n) cloth->step();
  return cloth;
}

TEST(Grab, TheHeldParticleIsOnItsTargetAfterEveryStepWhileTheSheetFollows) {
  for (void (*step)(Cloth&) : {+[](Cloth& c) { c.step(); }, +[](Cloth& c) { plain::step(c); }}) {
    auto cloth = hangingCloth();
    const Vector3 neighbourBefore = cloth->positions[2023];
    cloth->grabParticle(2024, Vector3(95, 5, 0));
    for (int n = 0; n < 40; ++n) {
      const Vector3 target(95 - 0.5 * n, 5 + 0.25 * n, 0.125 * n);
      cloth->moveGrab(target);
      step(*cloth);
      expectSame(cloth->positions[2024], target);
    }
    // The springs carried the pull to the neighbour.
    EXPECT_GT(cloth->positions[2023].z - neighbourBefore.z, 1.0);
  }
}

TEST(Grab, ReleasedTheParticleKeepsTheLastStepsVelocity) {
  // One particle without springs, pins or gravity: only the hand moves it.
  auto cloth = makeCloth();
  for (int p = 0; p < PARTICLE_COUNT; ++p) {
    cloth->positions[p] = cloth->previousPositions[p] = Vector3(50, 50, 0);
    for (ClothSpring& spring : cloth->springs[p]) spring = {p, p, 0.0f};
  }
  cloth->grabParticle(1012, Vector3(50, 50, 0));
  cloth->step();
  cloth->moveGrab(Vector3(50, 50, 4));
  cloth->step();
  expectSame(cloth->previousPositions[1012], Vector3(50, 50, 0));
  expectSame(cloth->positions[1012], Vector3(50, 50, 4));

  cloth->releaseGrab();
  double z = 4, previousZ = 0;
  for (int n = 0; n < 3; ++n) {
    cloth->step();
    const double nextZ = z + (z * DAMPING_FACTOR - previousZ * DAMPING_FACTOR);
    previousZ = z;
    z = nextZ;
    expectSame(cloth->positions[1012], Vector3(50, 50, z));
  }
  EXPECT_GT(z, 11.0);  // 4 + 3.96 + 3.92…: still moving the way the hand threw it
}

TEST(Grab, TargetsOutsideTheBoxAreHeldOnItsFaces) {
  struct Case {
    Vector3 target;
    Vector3 held;
  };
  const Case cases[] = {
      {{-5, 120, 60}, {0, 100, 50}},
      {{150, -3, -80}, {100, 0, -50}},
      {{40, 60, 10}, {40, 60, 10}},
  };
  for (const Case& c : cases) {
    auto cloth = hangingCloth();
    cloth->grabParticle(700, c.target);
    cloth->step();
    expectSame(cloth->positions[700], c.held);
    expectSame(cloth->grab.target, c.target);  // kept as given: a later box would hold it anew
  }
}

TEST(Grab, AHandOnAPinnedCornerWinsUntilItLetsGo) {
  auto cloth = hangingCloth();
  const PinnedPoint pin = cloth->pins[1];  // particle 44
  cloth->grabParticle(44, Vector3(60, 80, 10));
  cloth->step();
  expectSame(cloth->positions[44], Vector3(60, 80, 10));
  cloth->releaseGrab();
  cloth->step();
  expectSame(cloth->positions[44], pin.position);
}

TEST(Grab, NoHandLeavesTheStepAsItWas) {
  auto held = hangingCloth();
  auto free = hangingCloth();
  held->grabParticle(3, Vector3(1, 2, 3));
  held->releaseGrab();
  for (int n = 0; n < 20; ++n) {
    held->step();
    free->step();
  }
  for (int i = 0; i < PARTICLE_COUNT; ++i) expectSame(held->positions[i], free->positions[i]);
}

TEST(Grab, PlacingPutsTheHeldParticleOnItsTargetAtRestAndTouchesNothingElse) {
  struct Case {
    Vector3 target;
    Vector3 placed;
  };
  const Case cases[] = {
      {{40, 60, 10}, {40, 60, 10}},
      {{-5, 120, 60}, {0, 100, 50}},  // held inside the box, as a step holds it
  };
  for (const Case& c : cases) {
    auto cloth = hangingCloth();
    const auto before = std::make_unique<Cloth>(*cloth);
    cloth->grabParticle(1000, c.target);
    cloth->placeGrabbedParticle();
    expectSame(cloth->positions[1000], c.placed);
    expectSame(cloth->previousPositions[1000], c.placed);
    for (int i = 0; i < PARTICLE_COUNT; ++i) {
      if (i == 1000) continue;
      expectSame(cloth->positions[i], before->positions[i]);
      expectSame(cloth->previousPositions[i], before->previousPositions[i]);
    }
  }
}

TEST(Grab, APlacedParticleLetGoStaysWhereItWasPutUntilItsNeighboursPull) {
  // One particle without springs, pins or gravity: after a place it has no
  // velocity, however far the hand took it.
  auto cloth = makeCloth();
  for (int p = 0; p < PARTICLE_COUNT; ++p) {
    cloth->positions[p] = cloth->previousPositions[p] = Vector3(50, 50, 0);
    for (ClothSpring& spring : cloth->springs[p]) spring = {p, p, 0.0f};
  }
  cloth->grabParticle(1012, Vector3(50, 50, 0));
  cloth->moveGrab(Vector3(70, 20, 30));
  cloth->placeGrabbedParticle();
  cloth->releaseGrab();
  for (int n = 0; n < 3; ++n) cloth->step();
  expectSame(cloth->positions[1012], Vector3(70, 20, 30));
}

TEST(Grab, PlacingWithoutAHandChangesNothing) {
  auto cloth = hangingCloth();
  const auto before = std::make_unique<Cloth>(*cloth);
  cloth->grabParticle(5, Vector3(1, 2, 3));
  cloth->releaseGrab();
  cloth->placeGrabbedParticle();
  for (int i = 0; i < PARTICLE_COUNT; ++i) {
    expectSame(cloth->positions[i], before->positions[i]);
    expectSame(cloth->previousPositions[i], before->previousPositions[i]);
  }
}

}  // namespace
