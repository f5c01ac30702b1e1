#pragma once

// Tests of the real display() on a real window: the scene set up once, as
// start-up sets it up; each test starts from the static view state with the
// scene facing the camera and a cloth of its own making. draw() runs
// display() and reads back what reached the window.

#include <gtest/gtest.h>

#include "app/view_state.h"
#include "render/scene.h"
#include "tests/gl_window.h"

template <int Width, int Height>
class SceneTest : public testing::Test {
 protected:
  static constexpr int WIDTH = Width;
  static constexpr int HEIGHT = Height;

  static void SetUpTestSuite() {
    openTestWindow(Width, Height);
    setStartupViewState();
    initRenderState();
    initLighting();
  }

  void SetUp() override {
    reshape(Width, Height);
    restoreStaticViewState();
    rotationAngle = 0;
    cloth = Cloth();
  }

  static Frame draw() {
    display();
    return Frame::capture();
  }
};
