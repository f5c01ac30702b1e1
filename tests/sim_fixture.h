#pragma once

// What the simulation's tests share: cloths to start from and vector
// equality to the bit.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "app/startup_sheet.h"
#include "sim/cloth.h"

// A Cloth is ~400 KB: kept off the stack.
inline std::unique_ptr<Cloth> makeCloth() { return std::make_unique<Cloth>(); }

// The sheet as the program starts it: laid out flat, two top corners pinned.
inline std::unique_ptr<Cloth> makeStartupCloth() {
  auto cloth = makeCloth();
  setUpStartupCloth(*cloth);
  return cloth;
}

// Equal component by component (EXPECT_EQ on doubles is exact).
inline void expectSame(Vector3 actual, Vector3 expected) {
  EXPECT_EQ(actual.x, expected.x);
  EXPECT_EQ(actual.y, expected.y);
  EXPECT_EQ(actual.z, expected.z);
}

// The same and, where it matters, with the same sign of zero.
inline void expectSameBits(Vector3 actual, Vector3 expected) {
  expectSame(actual, expected);
  EXPECT_EQ(std::signbit(actual.x), std::signbit(expected.x));
  EXPECT_EQ(std::signbit(actual.y), std::signbit(expected.y));
  EXPECT_EQ(std::signbit(actual.z), std::signbit(expected.z));
}
