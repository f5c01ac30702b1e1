// The browser's matrix stack (web/transform_matrix, web/glu_matrices) against
// desktop GL's on Mesa: the same calls must leave the same floats, bit for
// bit, or the browser's vertices land elsewhere. Built natively, so the sines
// come from the same C library as desktop GL's here.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "render/opengl.h"
#include "tests/float_bits.h"
#include "tests/gl_window.h"
#include "web/gl/glu_matrices.h"
#include "web/gl/transform_matrix.h"

namespace {

void expectSame(const float* desktop, const TransformMatrix& browser, const std::string& what) {
  EXPECT_EQ(std::memcmp(desktop, browser.m, sizeof browser.m), 0)
      << what << "\n desktop" << hexBits(desktop, 16) << "\n browser" << hexBits(browser.m, 16);
}

// The frame's camera, turn and shifts as display() gives them.
TEST(BrowserMatrices, EveryCameraAndTurnLeavesDesktopGLsModelview) {
  openTestWindow(64, 64);
  // The keys move the eye along z only; eyes off the axis make every sum
  // in the products count.
  const double eyes[][3] = {{0, 0, 150},  {0, 0, 160}, {0, 0, 10},    {0, 0, -20},
                            {0, 0, 1e-3}, {0, 0, 0},   {30, 40, 150}, {-70, 20, -10}};
  const float angles[] = {290, 295, 0, 5, 45, 90, 180, 275, -5, 360, 1000, -725};
  for (const auto& eye : eyes) {
    for (float angle : angles) {
      const std::string what = "eye " + std::to_string(eye[0]) + " " + std::to_string(eye[1]) +
                               " " + std::to_string(eye[2]) + ", angle " + std::to_string(angle);
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      gluLookAt(eye[0], eye[1], eye[2], 0, 0, 0, 0, 1, 0);
      glRotatef(angle, 0, 1, 0);
      glTranslatef(-50, -50, 0);
      float cloth[16];
      float box[16];
      glGetFloatv(GL_MODELVIEW_MATRIX, cloth);
      glTranslatef(50, 50, 0);
      glGetFloatv(GL_MODELVIEW_MATRIX, box);

      const double centre[3] = {0, 0, 0};
      const double up[3] = {0, 1, 0};
      const LookAt lookAt = lookAtMatrix(eye, centre, up);
      TransformMatrix browser = TransformMatrix::identity();
      browser.multiply(lookAt.rotation);
      browser.translate(static_cast<float>(-lookAt.eye[0]), static_cast<float>(-lookAt.eye[1]),
                        static_cast<float>(-lookAt.eye[2]));
      if (angle != 0) browser.rotate(angle, 0, 1, 0);  // as glRotatef skips a zero angle
      browser.translate(-50, -50, 0);
      expectSame(cloth, browser, what + ", the cloth's");
      browser.translate(50, 50, 0);
      expectSame(box, browser, what + ", the box's");
    }
  }
}

TEST(BrowserMatrices, EveryWindowShapeLeavesDesktopGLsProjection) {
  openTestWindow(64, 64);
  const double aspects[] = {640.0 / 480, 501.0 / 400, 1, 1920.0 / 1080, 1.0 / 400, 400};
  for (double aspect : aspects) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, aspect, 1.0, 400.0);
    float desktop[16];
    glGetFloatv(GL_PROJECTION_MATRIX, desktop);
    double m[16];
    ASSERT_TRUE(perspectiveMatrix(60.0, aspect, 1.0, 400.0, m));
    float single[16];
    for (int i = 0; i < 16; ++i) single[i] = static_cast<float>(m[i]);
    TransformMatrix browser = TransformMatrix::identity();
    browser.multiply(single);
    expectSame(desktop, browser, "aspect " + std::to_string(aspect));
  }
  double unused[16];
  EXPECT_FALSE(perspectiveMatrix(60.0, 0.0, 1.0, 400.0, unused))
      << "GLU leaves a zero aspect alone";
  glMatrixMode(GL_MODELVIEW);
}

// A rotation about any other axis goes through the general formula.
TEST(BrowserMatrices, RotationsAboutOtherAxesLeaveDesktopGLsMatrix) {
  openTestWindow(64, 64);
  const float axes[][3] = {{1, 0, 0}, {0, 0, 1}, {0, 0, -1}, {1, 1, 0}, {0.3f, -2, 5}};
  for (const auto& axis : axes) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(3, -4, 5);
    glRotatef(37, axis[0], axis[1], axis[2]);
    glTranslatef(-1.5f, 2.25f, 7);
    glRotatef(-113, axis[2], axis[0], axis[1]);
    glTranslatef(0.1f, -0.3333f, 12.7f);
    float desktop[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, desktop);
    TransformMatrix browser = TransformMatrix::identity();
    browser.translate(3, -4, 5);
    browser.rotate(37, axis[0], axis[1], axis[2]);
    browser.translate(-1.5f, 2.25f, 7);
    browser.rotate(-113, axis[2], axis[0], axis[1]);
    browser.translate(0.1f, -0.3333f, 12.7f);
    expectSame(desktop, browser,
               "axis " + std::to_string(axis[0]) + " " + std::to_string(axis[1]) + " " +
                   std::to_string(axis[2]));
  }
}

// Picking projects particles and unprojects the pointer: the browser's
// gluProject and gluUnProject against the desktop's GLU. Not bit for bit
// (nothing drawn depends on them), but to a millionth of a pixel.
TEST(BrowserMatrices, ProjectAndUnprojectAgreeWithDesktopGLU) {
  openTestWindow(64, 64);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(0, 0, 150, 0, 0, 0, 0, 1, 0);
  glRotatef(290, 0, 1, 0);
  glTranslatef(-50, -50, 0);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(60.0, 1280.0 / 1024, 1.0, 400.0);
  double modelview[16], projection[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  const int viewport[4] = {0, 0, 1280, 1024};
  const double points[][3] = {{10, 90, 0}, {98, 2, 0}, {50, 50, 30}, {0, 0, -50}, {100, 100, 50}};
  for (const auto& p : points) {
    double desktop[3], browser[3];
    ASSERT_TRUE(gluProject(p[0], p[1], p[2], modelview, projection, viewport, &desktop[0],
                           &desktop[1], &desktop[2]));
    ASSERT_TRUE(projectPoint(p, modelview, projection, viewport, browser));
    for (int k = 0; k < 2; ++k) EXPECT_NEAR(browser[k], desktop[k], 1e-6);
    EXPECT_NEAR(browser[2], desktop[2], 1e-12);

    double back[3];
    ASSERT_TRUE(unprojectPoint(desktop, modelview, projection, viewport, back));
    double desktopBack[3];
    ASSERT_TRUE(gluUnProject(desktop[0], desktop[1], desktop[2], modelview, projection, viewport,
                             &desktopBack[0], &desktopBack[1], &desktopBack[2]));
    for (int k = 0; k < 3; ++k) {
      EXPECT_NEAR(back[k], p[k], 1e-6);
      EXPECT_NEAR(back[k], desktopBack[k], 1e-6);
    }
  }
  const double singular[16] = {};
  double unused[3];
  EXPECT_FALSE(unprojectPoint(points[0], singular, projection, viewport, unused));
  glMatrixMode(GL_MODELVIEW);
}

}  // namespace
