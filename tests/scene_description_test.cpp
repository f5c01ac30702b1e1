// The scene in words: what a screen reader says of the picture follows the
// state the keys, the hand and the lab change.
#include "app/scene_description.h"

#include <gtest/gtest.h>

#include "app/startup_sheet.h"
#include "app/view_state.h"

namespace {

class SceneDescription : public testing::Test {
 protected:
  void SetUp() override {
    restoreStaticViewState();
    setStartupViewState();
    cloth = Cloth();
    setUpStartupCloth(cloth);
  }
};

TEST_F(SceneDescription, StartUpSaysWhatIsDrawnAndThatItStands) {
  EXPECT_EQ(sceneDescription(0),
            "A cloth of 45 by 45 particles in a box, hanging from 2 pins; quads shown, "
            "particles and normals hidden, with the heat ripple texture. Stopped after 0 steps. "
            "Turned 290 degrees, the camera at 150; stiffness 0.5, time step 1.");
}

TEST_F(SceneDescription, FollowsTheStateTheKeysAndTheHandChange) {
  struct Case {
    void (*change)();
    const char* said;
  };
  const Case cases[] = {
      {[] { cloth.clearPins(); }, "pinned nowhere"},
      {[] { showParticles = true; }, "quads and particles shown, normals hidden"},
      {[] { showQuads = showParticles = showNormals = true; },
       "quads, particles and normals shown"},
      {[] { showQuads = false; }, "nothing of the sheet shown"},
      {[] { currentTexture = 3; }, "with the leaf texture"},
      {[] { showStretch = true; }, "normals hidden, coloured by stretch. Stopped"},
      {[] { animating = true; }, "Animating after 150 steps"},
      {[] { cloth.grabParticle(2024, Vector3(90, 10, 0)); },
       "The hand holds particle 2024 (row 45, column 45)."},
      {[] { cloth.wind = Vector3(0, 0, 0.005); }, "The lab: a wind of 0,0,0.005."},
      {[] {
         cloth.ball = {true, Vector3(45, 30, 5), 12};
         cloth.tearRatio = 3.5;
         cloth.relaxationPasses = 10;
       },
       "The lab: a ball of radius 12 at 45,30,5, tearing at 3.5 times a spring's length and 10 "
       "relaxation passes."},
      {[] {
         cloth.cutSprings({-100, 51, -200}, {300, 51, -200}, {100, 51, 300});
       },
       "The lab: 133 springs broken."},
      {[] {
         cloth.damping = 0.95;
         cloth.gravity = Vector3(0.007, -0.007, 0);
       },
       "The lab: damping 0.95 and gravity 0.007,-0.007,0."},
  };
  for (const Case& c : cases) {
    SetUp();
    c.change();
    const std::string said = sceneDescription(150);
    EXPECT_NE(said.find(c.said), std::string::npos) << said;
  }
  SetUp();
  EXPECT_EQ(sceneDescription(1).find("The hand"), std::string::npos);
  EXPECT_EQ(sceneDescription(1).find("The lab"), std::string::npos);
  EXPECT_NE(sceneDescription(1).find("after 1 step."), std::string::npos);
}

}  // namespace
