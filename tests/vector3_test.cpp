#include "sim/vector3.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/sim_fixture.h"

namespace {

TEST(Vector3, DefaultIsZeroAndArraysStartZero) {
  Vector3 many[4];
  for (const Vector3& v : many) expectSameBits(v, Vector3(0, 0, 0));
}

TEST(Vector3, CompoundOperatorsChangeLeftAndYieldItsNewValue) {
  Vector3 a(1, 2, 3);
  const Vector3 sum = (a += Vector3(10, 20, 30));
  expectSameBits(a, Vector3(11, 22, 33));
  expectSameBits(sum, a);
  const Vector3 difference = (a -= Vector3(1, 2, 3));
  expectSameBits(a, Vector3(10, 20, 30));
  expectSameBits(difference, a);
}

TEST(Vector3, NewValueOperatorsLeaveOperandsAlone) {
  const Vector3 a(1, 2, 3);
  const Vector3 b(4, 5, 6);
  expectSameBits(a + b, Vector3(5, 7, 9));
  expectSameBits(a - b, Vector3(-3, -3, -3));
  expectSameBits(a * 2.0, Vector3(2, 4, 6));
  expectSameBits(Vector3(1e300, -7, 3) * 0.0, Vector3(0, -0.0, 0));
  expectSameBits(a, Vector3(1, 2, 3));
  expectSameBits(b, Vector3(4, 5, 6));
}

TEST(Vector3, DotAddsLeftToRight) {
  // (1 + 1e16) rounds back to 1e16 before -1e16 is added: 0, not 1.
  EXPECT_EQ(Vector3(1, 1e16, -1e16).dot(Vector3(1, 1, 1)), 0.0);
  EXPECT_EQ(Vector3(1, 2, 3).dot(Vector3(4, 5, 6)), 32.0);
}

TEST(Vector3, CrossIsRightHandedWithReceiverOnTheLeft) {
  expectSameBits(Vector3(1, 0, 0).cross(Vector3(0, 1, 0)), Vector3(0, 0, 1));
  expectSameBits(Vector3(0, 1, 0).cross(Vector3(1, 0, 0)), Vector3(0, 0, -1));
  expectSameBits(Vector3(2, 3, 4).cross(Vector3(5, 6, 7)), Vector3(-3, 6, -3));
}

TEST(Vector3, NormalizeDividesByTheLengthRoundedToFloat) {
  struct Case {
    Vector3 input;
    Vector3 expected;
  };
  const double sqrt2AsFloat = 1.41421353816986083984375;
  const Case cases[] = {
      {{3, 0, 4}, {3.0 / 5.0, 0, 4.0 / 5.0}},
      {{1, 1, 0}, {1.0 / sqrt2AsFloat, 1.0 / sqrt2AsFloat, 0}},
      {{0, -2, 0}, {0, -1, 0}},
  };
  for (const Case& c : cases) {
    Vector3 v = c.input;
    normalize(v);
    expectSameBits(v, c.expected);
  }
  Vector3 diagonal(1, 1, 0);
  normalize(diagonal);
  EXPECT_NE(diagonal.x, 1.0 / std::sqrt(2.0)) << "length must be held as a float";
}

TEST(Vector3, NormalizeLeavesZeroVectorZero) {
  Vector3 zero;
  normalize(zero);
  expectSameBits(zero, Vector3(0, 0, 0));
  // Too short for a float length: left as it is, never NaN or infinite.
  Vector3 tiny(1e-300, 0, 0);
  normalize(tiny);
  EXPECT_TRUE(std::isfinite(tiny.x));
}

TEST(Vector3, MaxAndMinYieldTheSecondArgumentOnTies) {
  // +0 and -0 compare equal, so the sign shows which argument came back.
  EXPECT_TRUE(std::signbit(maxOf(0.0, -0.0)));
  EXPECT_FALSE(std::signbit(maxOf(-0.0, 0.0)));
  EXPECT_TRUE(std::signbit(minOf(0.0, -0.0)));
  EXPECT_FALSE(std::signbit(minOf(-0.0, 0.0)));
  EXPECT_EQ(maxOf(1, 2), 2);
  EXPECT_EQ(minOf(1, 2), 1);

  expectSameBits(componentMax({1, 5, -3}, {2, 4, -3}), Vector3(2, 5, -3));
  expectSameBits(componentMin({1, 5, -3}, {2, 4, -3}), Vector3(1, 4, -3));
}

}  // namespace
