// Taking hold of the sheet on real GL (Mesa's llvmpipe): the particle found
// under a window point is the one drawn there, and the hand's target stays in
// the plane that faces the camera.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/hand.h"
#include "app/key_script.h"
#include "app/startup_sheet.h"
#include "app/view_state.h"
#include "render/picking.h"
#include "render/scene.h"
#include "tests/scene_fixture.h"
#include "tests/sim_fixture.h"

namespace {

constexpr int WIDTH = 800;
constexpr int HEIGHT = 600;

// Where the frame draws a point, in GL window coordinates.
Vector3 windowPoint(Vector3 p) {
  GLdouble modelview[16], projection[16];
  GLint viewport[4];
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  loadFrameCamera();
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glPopMatrix();
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble x, y, z;
  gluProject(p.x, p.y, p.z, modelview, projection, viewport, &x, &y, &z);
  return Vector3(x, y, z);
}

class Picking : public SceneTest<WIDTH, HEIGHT> {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    // The flat sheet facing the camera, its particles alone: each drawn
    // point is one particle's, a few pixels from the next.
    showQuads = false;
    showParticles = true;
    setUpStartupCloth(cloth);
  }
};

// The keyboard's hand starts from where a particle is drawn, and takes the
// one nearest a point however far from the sheet.
TEST_F(Picking, AParticlesWindowPointPicksItAndTheNearestIsFoundFromAfar) {
  draw();
  for (int particle : {0, 22, 1012, 2024}) {
    int x = -1, y = -1;
    ASSERT_TRUE(particleWindowPoint(particle, x, y)) << particle;
    EXPECT_EQ(pickParticle(x, y), particle);
    EXPECT_EQ(nearestParticle(x, y), particle);
  }
  EXPECT_EQ(pickParticle(0, 0), -1) << "the window's corner is far from the sheet";
  int cornerX = -1, cornerY = -1;
  ASSERT_TRUE(particleWindowPoint(0, cornerX, cornerY));
  EXPECT_EQ(nearestParticle(0, 0), pickParticle(cornerX, cornerY))
      << "from the window's top left, the sheet's top-left particle is nearest";
}

TEST_F(Picking, TheParticleFoundUnderAPixelIsTheOneDrawnThere) {
  const Frame before = draw();
  // Lit pixels near the middle of the window, where the sheet hangs.
  int found = 0;
  for (int y = HEIGHT / 2 - 60; y < HEIGHT / 2 + 60 && found < 5; y += 17) {
    for (int x = WIDTH / 2 - 60; x < WIDTH / 2 + 60 && found < 5; x += 13) {
      if (before.at(x, y).sum() < 60) continue;
      // GLUT's points count rows from the top.
      const int particle = pickParticle(x, HEIGHT - 1 - y);
      ASSERT_GE(particle, 0) << "a particle is drawn at " << x << ", " << y;
      // Moved out of sight, the particle takes its point with it.
      const Vector3 kept = cloth.positions[particle];
      cloth.positions[particle] = Vector3(1e6, 1e6, 1e6);
      const Frame without = draw();
      EXPECT_LT(without.at(x, y).sum(), 60) << "particle " << particle << " at " << x << ", " << y;
      cloth.positions[particle] = kept;
      ++found;
    }
  }
  EXPECT_EQ(found, 5) << "the sheet's points are drawn in the middle of the window";
}

TEST_F(Picking, APixelOffTheSheetFindsNone) {
  const Frame frame = draw();
  ASSERT_LT(frame.at(3, 3).sum(), 60);
  EXPECT_EQ(pickParticle(3, HEIGHT - 1 - 3), -1);
  EXPECT_EQ(pickParticle(WIDTH - 4, 3), -1);
}

TEST_F(Picking, TheHandMovesInThePlaneThatFacesTheCamera) {
  const Vector3 held = cloth.positions[1012];
  const Vector3 seen = windowPoint(held);
  const int x = static_cast<int>(seen.x), y = HEIGHT - 1 - static_cast<int>(seen.y);
  const Vector3 under = pointUnder(x, y, held);
  EXPECT_NEAR(std::sqrt((under - held).dot(under - held)), 0.0, 0.5) << "within a pixel of it";

  for (int shift : {-150, 40, 200}) {
    const Vector3 target = pointUnder(x + shift, y - shift / 2, held);
    const Vector3 landed = windowPoint(target);
    EXPECT_NEAR(landed.x, x + shift + 0.5, 1e-6);
    EXPECT_NEAR(landed.y, HEIGHT - 1 - (y - shift / 2) + 0.5, 1e-6);
    EXPECT_NEAR(landed.z, seen.z, 1e-9) << "at the held point's depth";
  }
}

TEST_F(Picking, AResizedWindowPicksWithItsNewProjection) {
  reshape(WIDTH / 2, HEIGHT);
  const Vector3 seen = windowPoint(cloth.positions[2024]);
  EXPECT_EQ(pickParticle(static_cast<int>(seen.x), HEIGHT - 1 - static_cast<int>(seen.y)), 2024);
}

// The hand through GLUT's mouse callbacks, as a press and a drag call them.
TEST_F(Picking, APressOnTheSheetHoldsItAndLeavingTheWindowLetsGo) {
  const Vector3 start = cloth.positions[1012];
  const Vector3 seen = windowPoint(start);
  const int x = static_cast<int>(seen.x), y = HEIGHT - 1 - static_cast<int>(seen.y);
  testing::internal::CaptureStdout();
  mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 3, 3);  // beside the sheet: nothing
  mouse(GLUT_LEFT_BUTTON, GLUT_UP, 3, 3);
  mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
  motion(x + 30, y);
  const Vector3 moved = cloth.grab.target;
  motion(WIDTH + 5, y);  // the window system still reports it: outside, it lets go
  motion(x, y);
  mouse(GLUT_LEFT_BUTTON, GLUT_UP, x, y);
  const std::string lines = testing::internal::GetCapturedStdout();
  // Held on the grid nearest the particle; the sheet stands still, so the
  // hand put the particle where it moved, and let go it is there.
  EXPECT_EQ(lines, "Grab = 1012 at " + scriptPoint(onHandGrid(start)) + "\nRelease = 1012 at " +
                       scriptPoint(moved) + "\n");
  expectSame(cloth.positions[1012], moved);
  expectSame(cloth.previousPositions[1012], moved);
  EXPECT_FALSE(cloth.grab.active);
  // The pointer's targets are on the grid, and written in a few digits.
  for (double value : {moved.x, moved.y, moved.z}) {
    EXPECT_EQ(value * 256, std::round(value * 256)) << value;
    EXPECT_LE(scriptNumber(value).size(), 13u) << scriptNumber(value);
  }
}

// The lab's ball in front of the sheet: pressed on, the hand takes the ball
// (not the particle behind it) and carries it with the pointer, keeping where
// on the ball it was taken; beside the ball the sheet is taken as before.
TEST_F(Picking, APressOnTheBallCarriesTheBallAndBesideItTakesTheSheet) {
  cloth.ball = {true, cloth.positions[1012] + Vector3(0, 0, 20), 6};
  const Vector3 seen = windowPoint(cloth.ball.centre);
  // A little off the centre, where the ball still is.
  const int x = static_cast<int>(seen.x) + 10, y = HEIGHT - 1 - static_cast<int>(seen.y) - 5;
  testing::internal::CaptureStdout();
  mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
  EXPECT_TRUE(ballInHand);
  EXPECT_FALSE(cloth.grab.active) << "no particle taken";
  const Vector3 taken = cloth.ball.centre;
  motion(x + 60, y - 40);
  const Vector3 carried = cloth.ball.centre;
  mouse(GLUT_LEFT_BUTTON, GLUT_UP, x + 60, y - 40);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Grab = ball at " + scriptPoint(taken) +
                                                        "\nRelease = ball at " +
                                                        scriptPoint(carried) + "\n");
  EXPECT_FALSE(ballInHand);
  // Carried with the pointer at the depth where it was, its offset kept:
  // its centre is drawn 60 pixels right and 40 up of where it was.
  const Vector3 now = windowPoint(carried);
  EXPECT_NEAR(now.x - seen.x, 60, 0.5);
  EXPECT_NEAR(now.y - seen.y, 40, 0.5);
  EXPECT_NEAR(now.z, seen.z, 1e-6);

  // Beside the ball, the sheet: a particle well away from it.
  const Vector3 corner = windowPoint(cloth.positions[0]);
  testing::internal::CaptureStdout();
  mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, static_cast<int>(corner.x),
        HEIGHT - 1 - static_cast<int>(corner.y));
  mouse(GLUT_LEFT_BUTTON, GLUT_UP, 0, 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout().substr(0, 9), "Grab = 0 ");

  // No ball, nothing to take: a script's grab:ball does nothing and says nothing.
  cloth.ball.present = false;
  testing::internal::CaptureStdout();
  grabAt(BALL_IN_HAND, Vector3(1, 2, 3));
  letGo();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_FALSE(ballInHand);
}

}  // namespace
