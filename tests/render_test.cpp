// Frames drawn by the real display() on Mesa's software rasteriser, read back
// and checked where a person would look.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/startup_sheet.h"
#include "app/view_state.h"
#include "render/cloth_drawing.h"
#include "render/scene.h"
#include "render/stretch_colours.h"
#include "sim/plain_step.h"
#include "tests/scene_fixture.h"

namespace {

constexpr int WIDTH = 500;
constexpr int HEIGHT = 400;
constexpr int RED_SLOT = 0;
constexpr int BLUE_SLOT = 1;
constexpr int WHITE_SLOT = 2;

struct Pixel {
  int x;
  int y;
};

// Where a point of cloth space lands in the window: the eye on the z axis
// looking at the origin, the scene turned about y by the given angle.
Pixel project(Vector3 p, int degrees = rotationAngle) {
  const double pi = std::acos(-1.0);
  const double angle = degrees * pi / 180.0;
  const double x = p.x - 0.5 * boxSize;
  const double y = p.y - 0.5 * boxSize;
  const double turnedX = x * std::cos(angle) + p.z * std::sin(angle);
  const double turnedZ = -x * std::sin(angle) + p.z * std::cos(angle);
  const double distance = eyePosition.z - turnedZ;
  const double scale = (windowHeight / 2.0) / (std::tan(pi / 6.0) * distance);
  return {static_cast<int>(std::lround(windowWidth / 2.0 + turnedX * scale)),
          static_cast<int>(std::lround(windowHeight / 2.0 + y * scale))};
}

void setAllFaceNormals(Vector3 n) {
  for (Vector3& normal : cloth.faceNormals) normal = n;
}

class RenderTest : public SceneTest<WIDTH, HEIGHT> {
 protected:
  static void SetUpTestSuite() {
    SceneTest::SetUpTestSuite();
    uploadSolidTexture(RED_SLOT, 255, 0, 0);
    uploadSolidTexture(BLUE_SLOT, 0, 0, 255);
    uploadSolidTexture(WHITE_SLOT, 255, 255, 255);
  }

  void SetUp() override {
    SceneTest::SetUp();
    currentTexture = RED_SLOT;
    layOutStartupGrid(cloth);
  }

  static int litAround(const Frame& frame, Pixel p, int radius = 2) {
    return frame.litCount(p.x - radius, p.y - radius, p.x + radius + 1, p.y + radius + 1);
  }
};

TEST_F(RenderTest, BoxIsUntexturedDimGreenConcentricSquaresCentred) {
  showQuads = false;
  glBindTexture(GL_TEXTURE_2D, RED_SLOT);  // what a textured box would be modulated by
  const Frame frame = draw();
  // Near face 100 units from the eye, far face 200: half-widths of 173 and 87 px.
  const int expectedColumns[] = {77, 163, 337, 423};
  const int expectedRows[] = {27, 113, 287, 373};
  auto near = [](int value, const int(&expected)[4]) {
    for (int e : expected)
      if (std::abs(value - e) <= 2) return true;
    return false;
  };
  int hits = 0;
  for (int x = 0; x < WIDTH; ++x) {
    const Rgb c = frame.at(x, HEIGHT / 2);
    if (c.sum() == 0) continue;
    ++hits;
    EXPECT_TRUE(near(x, expectedColumns)) << "lit pixel at column " << x;
    // Modulated by the red texture the green would be gone.
    EXPECT_EQ(c.r, 0);
    EXPECT_EQ(c.b, 0);
    EXPECT_GE(c.g, 35);
    EXPECT_LE(c.g, 70);
  }
  for (int y = 0; y < HEIGHT; ++y) {
    if (frame.at(WIDTH / 2, y).sum() == 0) continue;
    ++hits;
    EXPECT_TRUE(near(y, expectedRows)) << "lit pixel at row " << y;
  }
  EXPECT_GE(hits, 8);
  EXPECT_LE(hits, 24);
}

TEST_F(RenderTest, SheetShowsItsTextureOnTheSideFacingTheCamera) {
  plain::computeFaceNormals(cloth);  // flat sheet: every normal (0, 0, 1)
  const Pixel centre = project({54, 46, 0});

  Frame frame = draw();
  EXPECT_GT(frame.at(centre.x, centre.y).r, 100);
  EXPECT_EQ(frame.at(centre.x, centre.y).g, 0);
  EXPECT_EQ(frame.at(centre.x, centre.y).b, 0);
  // Inside the far face of the box the sheet covers everything.
  EXPECT_EQ(frame.litCount(170, 120, 330, 280), 160 * 160);

  currentTexture = BLUE_SLOT;
  frame = draw();
  EXPECT_EQ(frame.at(centre.x, centre.y).r, 0);
  EXPECT_GT(frame.at(centre.x, centre.y).b, 100);

  // Turned half round, the sheet shows its back, which front-face culling hides.
  rotationAngle = 180;
  frame = draw();
  EXPECT_EQ(frame.litCount(170, 120, 330, 280), 0);

  // The start-up angle still shows the front, foreshortened.
  rotationAngle = 290;
  frame = draw();
  EXPECT_GT(frame.litCount(200, 150, 300, 250), 5000);
}

TEST_F(RenderTest, ACutLeavesAGapAndTheBallIsASolidLitSphere) {
  rotationAngle = 0;
  plain::computeFaceNormals(cloth);
  // Between rows 19 and 20 (heights 52 and 50): the quads of row 19 go.
  ASSERT_EQ(cloth.cutSprings({-100, 51, -200}, {300, 51, -200}, {100, 51, 300}), 133);
  Frame frame = draw();
  const Pixel gap = project({54, 51, 0}), whole = project({54, 60, 0});
  EXPECT_EQ(frame.at(gap.x, gap.y).r, 0) << "the torn row is not drawn";
  EXPECT_GT(frame.at(whole.x, whole.y).r, 100) << "the rest of the sheet is";

  // A ball in front of the sheet, untextured and lit: the material's colour.
  cloth.ball = {true, Vector3(54, 30, 20), 8};
  frame = draw();
  const Pixel centre = project(cloth.ball.centre);
  const Rgb middle = frame.at(centre.x, centre.y);
  EXPECT_GT(middle.r, 60);
  EXPECT_GT(middle.g, 10) << "not the red texture, which has no green";
  EXPECT_GT(middle.r, middle.g);
  // Solid to its rim and no further: inside 90% of its radius it covers
  // every pixel, at 115% none.
  const Pixel rim = project(cloth.ball.centre + Vector3(8, 0, 0));
  const int radius = rim.x - centre.x;
  int covered = 0, beyond = 0;
  for (int a = 0; a < 360; a += 10) {
    const double angle = a * std::acos(-1.0) / 180;
    const auto at = [&](double r) {
      return frame.at(centre.x + static_cast<int>(r * radius * std::cos(angle)),
                      centre.y + static_cast<int>(r * radius * std::sin(angle)));
    };
    covered += at(0.9).g > 10;
    beyond += at(1.15).g > 10;
  }
  EXPECT_EQ(covered, 36);
  EXPECT_EQ(beyond, 0);

  cloth.ball.present = false;
  frame = draw();
  EXPECT_EQ(frame.at(centre.x, centre.y).g, 0) << "gone, the sheet shows again";
}

// The stretch colours: a sheet laid out at a spacing other than its rest
// length shows, face on, its band's colour lit by the scene's lights
// (ambient 0.4 × 0.5 of the lights' and the scene's, diffuse 0.6 × (1 +
// 0.3 cos 45°)), not the texture.
TEST_F(RenderTest, StretchColoursShowEachQuadsBandInsteadOfTheTexture) {
  const struct {
    double spacing;
    int band;
  } cases[] = {{1.9, 0}, {2.0, 1}, {2.06, 3}, {2.3, 5}, {3.2, 7}};
  const double lit = 0.4 * 0.5 + 0.6 * (1 + 0.3 * std::sqrt(0.5));
  showStretch = true;
  for (const auto& c : cases) {
    cloth.resetGrid(10, 90, 0, c.spacing, -c.spacing, 0);
    plain::computeFaceNormals(cloth);
    const Pixel centre = project(cloth.positions[22 * GRID_SIDE + 22]);
    const Rgb seen = draw().at(centre.x, centre.y);
    const unsigned char* colour = stretchBands[c.band].colour;
    const int expected[3] = {colour[0], colour[1], colour[2]};
    const int got[3] = {seen.r, seen.g, seen.b};
    for (int k = 0; k < 3; ++k)
      EXPECT_NEAR(got[k], std::min(255.0, expected[k] * lit), 2)
          << "spacing " << c.spacing << ", channel " << k;
  }
  showStretch = false;
  EXPECT_EQ(draw().at(WIDTH / 2, HEIGHT / 2).g, 0) << "off, the red texture again";
}

TEST_F(RenderTest, EachLayerSwitchesOnItsOwn) {
  // Normals tilted up and toward the camera, so markers rise above the top row.
  setAllFaceNormals(Vector3(0, 0.6, 0.8));
  const Pixel quadMiddle = project({55, 45, 0});
  const Pixel particle = project({54, 46, 0});
  const Pixel aboveTopRow = project({50, 92.5, 2.5});

  struct Case {
    bool quads, particles, normals;
    bool quadMiddleLit, particleLit, markerLit;
  };
  const Case cases[] = {
      {false, false, false, false, false, false},
      {true, false, false, true, true, false},
      {false, true, false, false, true, false},
      {false, false, true, false, true, true},  // each marker starts on a corner particle
      {true, true, true, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "quads " << c.quads << " particles " << c.particles
                                    << " normals " << c.normals);
    showQuads = c.quads;
    showParticles = c.particles;
    showNormals = c.normals;
    const Frame frame = draw();
    EXPECT_EQ(litAround(frame, quadMiddle, 0) > 0, c.quadMiddleLit);
    EXPECT_EQ(litAround(frame, particle, 1) > 0, c.particleLit);
    EXPECT_EQ(litAround(frame, aboveTopRow, 1) > 0, c.markerLit);
  }
}

TEST_F(RenderTest, NormalMarkersHaveZeroLengthBeforeTheFirstStep) {
  showQuads = false;
  showNormals = true;  // every face normal is still (0, 0, 0)
  Frame frame = draw();
  EXPECT_GT(litAround(frame, project({10, 90, 0})), 0) << "marker point on quad 0's first corner";
  EXPECT_EQ(litAround(frame, project({98, 90, 0})), 0) << "particle 44 starts no quad";
  EXPECT_EQ(litAround(frame, project({50, 93, 0})), 0);

  showParticles = true;
  frame = draw();
  EXPECT_GT(litAround(frame, project({98, 90, 0})), 0);
  // Points take the texel at (0, 0) of the red texture: red, never blue.
  const Pixel corner = project({98, 90, 0});
  EXPECT_EQ(frame.at(corner.x, corner.y).b, 0);
}

TEST_F(RenderTest, RotationTurnsBoxAndClothTogetherWhileTheLightsStay) {
  showQuads = false;
  Frame frame = draw();
  const int middleColumn =
      frame.litCount(WIDTH / 2 - 1, HEIGHT / 2 - 20, WIDTH / 2 + 2, HEIGHT / 2 + 20);
  EXPECT_EQ(middleColumn, 0);
  // At 45 degrees a vertical edge of the box comes to the middle of the window.
  rotationAngle = 45;
  frame = draw();
  EXPECT_GT(frame.litCount(WIDTH / 2 - 1, HEIGHT / 2 - 20, WIDTH / 2 + 2, HEIGHT / 2 + 20), 10);

  // The sheet spans x from -40 to +48 about the box centre; half round, it
  // spans -48 to +40. Probe the top row at x = -44 and x = +44.
  showParticles = true;
  // Placed in scene space at rotation 0, where cloth x = scene x + 50.
  auto topRowAt = [](double x) { return project({x + 50, 90, 0}, 0); };
  rotationAngle = 0;
  frame = draw();
  EXPECT_EQ(litAround(frame, topRowAt(-44)), 0);
  EXPECT_GT(litAround(frame, topRowAt(44)), 0);
  rotationAngle = 180;
  frame = draw();
  EXPECT_GT(litAround(frame, topRowAt(-44)), 0);
  EXPECT_EQ(litAround(frame, topRowAt(44)), 0);

  // Lights fixed to the viewer: a sheet turned away from the head-on light is darker.
  showParticles = false;
  showQuads = true;
  currentTexture = WHITE_SLOT;
  plain::computeFaceNormals(cloth);
  rotationAngle = 0;
  frame = draw();
  const Rgb facing = frame.at(WIDTH / 2, HEIGHT / 2);
  rotationAngle = 300;
  frame = draw();
  const Rgb turned = frame.at(WIDTH / 2, HEIGHT / 2);
  EXPECT_GT(turned.sum(), 0);
  EXPECT_LT(turned.sum() * 4, facing.sum() * 3);
}

TEST_F(RenderTest, DisplayRestoresTheModelviewAndLeavesTexturingOn) {
  showNormals = true;
  showParticles = true;
  display();
  GLdouble matrix[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, matrix);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(matrix[i], i % 5 == 0 ? 1.0 : 0.0) << i;
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  GLint cullFace = 0;
  glGetIntegerv(GL_CULL_FACE_MODE, &cullFace);
  EXPECT_EQ(cullFace, GL_FRONT);
  GLfloat shininess = 0;
  glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
  EXPECT_EQ(shininess, markerMaterial.shininess);
}

TEST_F(RenderTest, EyeOnTheLookAtCentreStillDrawsAFrame) {
  // Fifteen presses of the nearer-camera key from start-up put the eye here,
  // where the viewing direction is undefined.
  const Vector3 startEye = eyePosition;
  eyePosition = lookAtCentre;
  plain::computeFaceNormals(cloth);
  showParticles = true;
  showNormals = true;
  display();
  display();
  GLdouble matrix[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, matrix);
  EXPECT_EQ(matrix[0], 1.0);
  EXPECT_EQ(matrix[12], 0.0);

  eyePosition = startEye;
  const Frame frame = draw();
  EXPECT_EQ(frame.litCount(170, 120, 330, 280), 160 * 160)
      << "drawing goes on once the eye moves away";
}

TEST_F(RenderTest, LightsAreLoadedInEyeCoordinatesAndOnlyThreeAreOn) {
  for (int i = 0; i < LIGHT_COUNT; ++i) {
    GLfloat position[4];
    glGetLightfv(GL_LIGHT0 + i, GL_POSITION, position);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(position[k], lightTable[i].position[k]);
    EXPECT_EQ(glIsEnabled(GL_LIGHT0 + i) == GL_TRUE, i < ENABLED_LIGHT_COUNT) << "light " << i;
  }
  GLint shadeModel = 0;
  glGetIntegerv(GL_SHADE_MODEL, &shadeModel);
  EXPECT_EQ(shadeModel, GL_FLAT);
}

TEST_F(RenderTest, ReshapeStoresTheSizeAndUsesAFloatingAspectRatio) {
  reshape(501, 400);
  EXPECT_EQ(windowWidth, 501);
  EXPECT_EQ(windowHeight, 400);
  GLdouble projection[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  EXPECT_NEAR(projection[5] / projection[0], 501.0 / 400.0, 1e-5);

  reshape(500, 0);  // a minimised window
  EXPECT_EQ(windowHeight, 0);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  for (double value : projection) EXPECT_TRUE(std::isfinite(value));
  EXPECT_NEAR(projection[5] / projection[0], 500.0, 1e-3) << "ratio taken with height 1";
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 500);
  EXPECT_EQ(viewport[3], 0);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

}  // namespace
