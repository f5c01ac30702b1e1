// What is read of the sheet: energies and stretch, on sheets whose answers
// are known.
#include "sim/cloth_measures.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/startup_sheet.h"
#include "tests/sim_fixture.h"

namespace {

// The grid's springs, each once: straight ones along rows and columns,
// diagonal ones two per cell.
constexpr int SPRING_COUNT =
    2 * GRID_SIDE * (GRID_SIDE - 1) + 2 * (GRID_SIDE - 1) * (GRID_SIDE - 1);

std::unique_ptr<Cloth> sheetAt(double spacing) {
  auto cloth = makeCloth();
  cloth->resetGrid(10, 90, 0, spacing, -spacing, 0);
  return cloth;
}

TEST(ClothMeasures, EnergiesOfSheetsWhoseAnswersAreKnown) {
  auto cloth = sheetAt(2);
  cloth->setGravity(0, -0.5, 0);
  // At rest, every particle at height 16, gravity pulling down at 0.5.
  for (Vector3& p : cloth->positions) p.y = 16;
  for (Vector3& p : cloth->previousPositions) p.y = 16;
  cloth->setTimeStep(2);
  ClothMeasures m = measureCloth(*cloth);
  EXPECT_EQ(m.kineticEnergy, 0);
  EXPECT_EQ(m.potentialEnergy, 0.5 * 16 * PARTICLE_COUNT);  // each term 8, exactly

  // Every particle moved by (3, 4, 0) in a step of 2: ½ · 25 / 4 each.
  for (Vector3& p : cloth->previousPositions) p = p - Vector3(3, 4, 0);
  m = measureCloth(*cloth);
  EXPECT_EQ(m.kineticEnergy, 0.5 * 25 * PARTICLE_COUNT / 4);

  cloth->setTimeStep(0);
  EXPECT_TRUE(std::isnan(measureCloth(*cloth).kineticEnergy)) << "no value with no time";
}

TEST(ClothMeasures, StretchCountsEverySpringOnceAndLeavesBrokenOnesOut) {
  // Laid out at its rest lengths, the sheet is unstretched (the diagonal's
  // rest length is 2√2 rounded to float, hence the tolerance).
  auto cloth = sheetAt(2);
  ClothMeasures m = measureCloth(*cloth);
  EXPECT_NEAR(m.maxStretch, 0, 1e-7);
  EXPECT_NEAR(m.meanStretch, 0, 1e-7);

  // Half as large again everywhere: every spring at 1.5 times its length.
  cloth = sheetAt(3);
  m = measureCloth(*cloth);
  EXPECT_NEAR(m.maxStretch, 0.5, 1e-7);
  EXPECT_NEAR(m.meanStretch, 0.5, 1e-7);

  // One spring stretched: the largest is its, the mean is its share of all
  // the springs counted once (not once per stored end).
  cloth = sheetAt(2);
  cloth->positions[1012].x += 1.0;  // its left spring 3 long, its right one 1
  m = measureCloth(*cloth);
  EXPECT_NEAR(m.maxStretch, 0.5, 1e-12);
  EXPECT_GT(m.meanStretch, 0);
  EXPECT_LT(m.meanStretch, 1.0 / SPRING_COUNT);

  // Cut away, a spring is no longer counted.
  ASSERT_EQ(cloth->cutSprings({-100, 51, -200}, {300, 51, -200}, {100, 51, 300}), 133);
  EXPECT_EQ(measureCloth(*cloth).brokenSprings, 133);
  auto stretchedOnly = sheetAt(3);
  stretchedOnly->cutSprings({-100, 30, -200}, {300, 30, -200}, {100, 30, 300});
  EXPECT_NEAR(measureCloth(*stretchedOnly).meanStretch, 0.5, 1e-7);
}

TEST(ClothMeasures, TheWindsWorkIsItsPushAlongTheWayTheSheetWent) {
  auto cloth = makeStartupCloth();
  for (int n = 0; n < 20; ++n) cloth->step();
  EXPECT_EQ(measureCloth(*cloth).windWork, 0) << "no wind, no work";
  cloth->wind = Vector3(0, 0, 0.01);
  for (int n = 0; n < 20; ++n) cloth->step();
  EXPECT_GT(measureCloth(*cloth).windWork, 0) << "the wind pushes the sheet the way it goes";
}

TEST(ClothMeasures, AQuadsStretchIsTheMeanOfItsSidesAndDiagonals) {
  // At rest lengths every quad is unstretched; half as large again, every
  // quad is at 1.5 times.
  EXPECT_NEAR(quadStretch(*sheetAt(2), 500), 0, 1e-7);
  EXPECT_NEAR(quadStretch(*sheetAt(3), 500), 0.5, 1e-7);

  // Quad 0's corners are particles 0, 1, 45 and 46. Particle 1 pulled out
  // along the row by 2: its top side doubles (+1), its right side's length
  // becomes √8 (+√2 − 1), the diagonal from 0 stays, the one from 1 to 45
  // becomes √20 against 2√2 (+√10/2 − 1). Quad 1, on particle 1's other
  // side, has its top side closed up to nothing (−1).
  auto cloth = sheetAt(2);
  cloth->positions[1].x += 2;
  const double expected = (1 + (std::sqrt(2.0) - 1) + (std::sqrt(20.0) / 2.8284271 - 1)) / 6;
  EXPECT_NEAR(quadStretch(*cloth, 0), expected, 1e-6);
  EXPECT_LT(quadStretch(*cloth, 1), 0);
  EXPECT_NEAR(quadStretch(*cloth, 2), 0, 1e-7) << "a quad away from particle 1 is untouched";
}

}  // namespace
