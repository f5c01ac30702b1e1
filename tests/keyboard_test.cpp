// Keyboard commands and idle stepping, called as GLUT would call them, on a
// real window so that redraw requests can be observed.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <regex>
#include <string>

#include "app/command_menu.h"
#include "app/cutter.h"
#include "app/idle.h"
#include "app/keyboard.h"
#include "app/startup_sheet.h"
#include "app/token_player.h"
#include "app/view_state.h"
#include "tests/gl_window.h"
#include "tests/sim_fixture.h"

namespace {

int framesDrawn = 0;
void countFrame() { ++framesDrawn; }

class KeyboardTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    openTestWindow(200, 200);
    glutDisplayFunc(countFrame);
  }

  void SetUp() override {
    // The state start-up leaves: the static values, then main's.
    restoreStaticViewState();
    cloth = Cloth();
    setStartupViewState();
    setUpStartupCloth(cloth);
    settle();
  }

  // Lets GLUT run any redraw that was requested; returns how many ran.
  static int settle() {
    framesDrawn = 0;
    for (int i = 0; i < 3; ++i) glutMainLoopEvent();
    return framesDrawn;
  }

  struct Result {
    std::string output;
    bool redisplay;
  };
  static Result press(unsigned char key) {
    testing::internal::CaptureStdout();
    keyboard(key, 17, 23);
    const std::string output = testing::internal::GetCapturedStdout();
    return {output, settle() > 0};
  }

  // Steps taken by one idle call, told by the sheet's middle particle moving.
  static bool idleStepped() {
    const Vector3 before = cloth.particlePosition(1012);
    idle();
    const Vector3 after = cloth.particlePosition(1012);
    return before.y != after.y;
  }
};

TEST_F(KeyboardTest, CommandTable) {
  struct Case {
    unsigned char key;
    std::string line;
    bool redisplay;
    std::function<void()> expectState;
  };
  const Case cases[] = {
      {'-', "Sping Constant = 0.45\n", false,
       [] {
         EXPECT_EQ(stiffnessSetting, static_cast<float>(0.5 - 0.05));
         EXPECT_EQ(cloth.stiffness, 0.5 - 0.05) << "the cloth gets the double sum";
       }},
      {'=', "Sping Constant = 0.55\n", false, [] { EXPECT_EQ(cloth.stiffness, 0.5 + 0.05); }},
      {'1', "Restore Constrained Points \n", true,
       [] {
         EXPECT_EQ(cloth.pinCount, 4);
         EXPECT_EQ(cloth.pins[2].particle, 0);
         EXPECT_EQ(cloth.pins[2].position.y, 100.0);
         EXPECT_EQ(cloth.pins[3].particle, 44);
         EXPECT_EQ(cloth.pins[3].position.z, -40.0);
       }},
      {'2', "Delete Constrained Points \n", true, [] { EXPECT_EQ(cloth.pinCount, 0); }},
      {'3', "Rotate Angle = 295\n", true, [] { EXPECT_EQ(rotationAngle, 295); }},
      {'4', "Rotate Angle = 285\n", true, [] { EXPECT_EQ(rotationAngle, 285); }},
      {'5', "Zoom In \n", true,
       [] {
         EXPECT_EQ(eyePosition.z, 160.0);
         EXPECT_EQ(eyePosition.x, 0.0);
       }},
      {'6', "Zoom Out \n", true, [] { EXPECT_EQ(eyePosition.z, 140.0); }},
      {'[', "Time Step = 0.5\n", true, [] { EXPECT_EQ(cloth.timeStep, 0.5); }},
      {']', "Time Step = 1.5\n", true, [] { EXPECT_EQ(cloth.timeStep, 1.5); }},
      {'a', "Animate \n", false,
       [] {
         EXPECT_TRUE(animating);
         EXPECT_FALSE(stepPending);
       }},
      {'s', "Step Through \n", false,
       [] {
         EXPECT_TRUE(stepPending);
         EXPECT_FALSE(animating);
       }},
      {'f', "Quads\n", true, [] { EXPECT_FALSE(showQuads); }},
      {'n', "Normals\n", true, [] { EXPECT_TRUE(showNormals); }},
      {'p', "Particles\n", true, [] { EXPECT_TRUE(showParticles); }},
      {'r', "Reset = \n", true,
       [] {
         EXPECT_EQ(cloth.positions[44].x, 98.0);
         EXPECT_EQ(cloth.pinCount, 2) << "pins survive a reset";
       }},
      {'t', "Texture is 1\n", true, [] { EXPECT_EQ(currentTexture, 1); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << c.key);
    SetUp();
    if (c.key == 'r') cloth.step();  // something to reset
    const Result result = press(c.key);
    EXPECT_EQ(result.output, c.line);
    EXPECT_EQ(result.redisplay, c.redisplay);
    c.expectState();
  }
}

TEST_F(KeyboardTest, KeysOutsideTheTableDoNothing) {
  const Cloth before = cloth;
  for (unsigned char key : std::string("b0+AFNPRSTz \t\x7f\xff")) {
    SCOPED_TRACE(static_cast<int>(key));
    const Result result = press(key);
    EXPECT_EQ(result.output, "");
    EXPECT_FALSE(result.redisplay);
  }
  EXPECT_EQ(rotationAngle, 290);
  EXPECT_EQ(stiffnessSetting, 0.5f);
  EXPECT_EQ(stepSize, 1.0);
  EXPECT_TRUE(showQuads);
  EXPECT_FALSE(animating || stepPending);
  EXPECT_EQ(textureCounter, 0);
  EXPECT_EQ(cloth.pinCount, before.pinCount);
  EXPECT_EQ(cloth.stiffness, before.stiffness);
}

// What the page's key bar and the packages' notes list is what the keyboard
// answers: every key in the table writes a line, every other key none, and
// each button presses a key of its own.
TEST_F(KeyboardTest, TheTableListsExactlyTheKeysThatAnswer) {
  std::string listed, labelled;
  for (const Command& command : commandTable()) {
    listed += static_cast<char>(command.key);
    if (command.label != nullptr) {
      EXPECT_EQ(labelled.find(static_cast<char>(command.key)), std::string::npos) << command.key;
      EXPECT_STRNE(command.label, "");
      labelled += static_cast<char>(command.key);
    }
  }
  EXPECT_NE(labelled.find('q'), std::string::npos);
  EXPECT_NE(listed.find('Q'), std::string::npos);
  for (int key = 0; key < 256; ++key) {
    if (key == 'q' || key == 'Q') continue;  // they end the process (the e2e tests see it)
    SetUp();
    const bool inTable = listed.find(static_cast<char>(key)) != std::string::npos;
    EXPECT_EQ(!press(static_cast<unsigned char>(key)).output.empty(), inTable) << "key " << key;
  }
}

// The right button's menu: an entry per button of the key bar, drawn in
// ASCII, and choosing one is pressing its key, line, state and redraw alike.
TEST_F(KeyboardTest, TheMenuOffersEachCommandAndChoosingOneIsPressingItsKey) {
  attachCommandMenu();
  int labelled = 0;
  for (const Command& command : commandTable()) labelled += command.label != nullptr;
  const int labSubmenus = 6, cutTool = 1, stretchColours = 1;
  EXPECT_EQ(glutGet(GLUT_MENU_NUM_ITEMS), labelled + labSubmenus + cutTool + stretchColours);
  const auto commands = commandTable();
  for (size_t entry = 0; entry < commands.size(); ++entry) {
    const Command& command = commands[entry];
    if (command.key == 'q' || command.key == 'Q') continue;  // they end the process
    SCOPED_TRACE(testing::Message() << "entry " << entry << ", key " << command.key);
    for (unsigned char c : menuLabel(command.label)) EXPECT_LT(c, 128);
    SetUp();
    const Result byKey = press(command.key);
    const Cloth afterKey = cloth;
    SetUp();
    testing::internal::CaptureStdout();
    chooseMenuEntry(static_cast<int>(entry));
    const std::string line = testing::internal::GetCapturedStdout();
    EXPECT_EQ(line, byKey.output);
    EXPECT_EQ(settle() > 0, byKey.redisplay);
    EXPECT_EQ(cloth.pinCount, afterKey.pinCount);
    EXPECT_EQ(cloth.stiffness, afterKey.stiffness);
  }
  EXPECT_EQ(menuLabel("turn \u22125\u00b0"), "turn -5 degrees");
}

// The lab's choices: each sets one thing and says so, as its token does.
TEST_F(KeyboardTest, TheMenusLabChoicesPlayTheirTokens) {
  const std::regex labLine(
      "(Wind|Gravity) = [-0-9.e]+,[-0-9.e]+,[-0-9.e]+\n|Ball = .*\n|"
      "Ball off\n|Tear = [0-9.]+\n|Tear off\n|Passes = [0-9]+\n|"
      "Damping = [0-9.]+\n");
  int choices = 0;
  for (int entry = LAB_MENU_ENTRIES;; ++entry, ++choices) {
    testing::internal::CaptureStdout();
    chooseMenuEntry(entry);
    const std::string line = testing::internal::GetCapturedStdout();
    if (line.empty()) break;
    EXPECT_TRUE(std::regex_match(line, labLine)) << line;
  }
  EXPECT_GE(choices, 20);
  // The last gravity choice leaves it aslant; the first puts back start-up's.
  EXPECT_EQ(cloth.gravity.x, 0.007);
  SetUp();
  const Vector3 startup = cloth.gravity;
  for (int entry = LAB_MENU_ENTRIES; entry < LAB_MENU_ENTRIES + choices; ++entry) {
    testing::internal::CaptureStdout();
    chooseMenuEntry(entry);
    if (testing::internal::GetCapturedStdout() == "Gravity = 0,-0.01,0\n") {
      expectSame(cloth.gravity, startup);
      break;
    }
  }

  EXPECT_FALSE(cutToolOn());
  chooseMenuEntry(CUT_TOOL_MENU_ENTRY);
  EXPECT_TRUE(cutToolOn());
  chooseMenuEntry(CUT_TOOL_MENU_ENTRY);
  EXPECT_FALSE(cutToolOn());

  // The stretch colours' entry turns the layer on and off, with its lines.
  for (const char* line : {"Stretch colours on\n", "Stretch colours off\n"}) {
    testing::internal::CaptureStdout();
    chooseMenuEntry(STRETCH_MENU_ENTRY);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), line);
    EXPECT_EQ(showStretch, std::string(line).find("on") != std::string::npos);
  }
}

// The settings the page's sliders step: each of its keys moves the value by
// its increment, and its text is what the key's line writes.
TEST_F(KeyboardTest, KeySettingsStepTheirValueAndWriteItAsTheLineDoes) {
  for (const KeySetting& setting : keySettings()) {
    for (const auto& [key, sign] : {std::pair{setting.up, 1.0}, std::pair{setting.down, -1.0}}) {
      SetUp();
      const double before = setting.value();
      const std::string line = press(key).output;
      EXPECT_NEAR(setting.value() - before, sign * setting.increment, 1e-6) << setting.name;
      const size_t equals = line.find(" = ");
      if (equals != std::string::npos) {  // the camera's lines name no value
        EXPECT_EQ(line.substr(equals + 3), setting.text() + "\n") << setting.name;
      }
    }
  }
  // Ten notches down from 0.5: the float's drift, as the line shows it.
  SetUp();
  for (int i = 0; i < 10; ++i) press('-');
  EXPECT_EQ(keySettings()[0].text(), "-3.65078e-08");
}

TEST_F(KeyboardTest, StiffnessHeldAsFloatDriftsFromTheDecimals) {
  std::string line;
  for (int i = 0; i < 10; ++i) line = press('-').output;
  EXPECT_NE(stiffnessSetting, 0.0f);
  EXPECT_LT(std::abs(stiffnessSetting), 1e-7f);
  EXPECT_EQ(line, "Sping Constant = -3.65078e-08\n");

  SetUp();
  for (int i = 0; i < 10; ++i) line = press('=').output;
  EXPECT_EQ(line, "Sping Constant = 1\n");
  EXPECT_EQ(stiffnessSetting, 1.0000001f);
}

TEST_F(KeyboardTest, StepSizeGoesPastZero) {
  EXPECT_EQ(press('[').output, "Time Step = 0.5\n");
  EXPECT_EQ(press('[').output, "Time Step = 0\n");
  EXPECT_EQ(cloth.timeStep, 0.0);
  EXPECT_EQ(press('[').output, "Time Step = -0.5\n");
  EXPECT_EQ(cloth.timeStep, -0.5);
}

TEST_F(KeyboardTest, TextureLineCountsPressesWhileTheSlotWraps) {
  for (int press_count = 1; press_count <= 11; ++press_count) {
    const Result result = press('t');
    EXPECT_EQ(result.output, "Texture is " + std::to_string(press_count) + "\n");
    EXPECT_EQ(currentTexture, press_count % 10);
  }
}

TEST_F(KeyboardTest, RestorePinsTwiceFillsTheRing) {
  press('1');
  press('1');
  EXPECT_EQ(cloth.pinCount, 5);
  EXPECT_EQ(cloth.nextPinSlot, 1);
  press('2');
  press('1');
  EXPECT_EQ(cloth.pinCount, 2);
  cloth.step();
  EXPECT_EQ(cloth.positions[0].y, 100.0);
  EXPECT_EQ(cloth.positions[44].x, 90.0);
}

TEST_F(KeyboardTest, IdleStepsOnlyWhenArmed) {
  // Stopped: nothing moves and nothing is redrawn.
  EXPECT_FALSE(idleStepped());
  EXPECT_EQ(settle(), 0);

  // a arms; the first step comes on the second idle call, with a redraw.
  press('a');
  EXPECT_FALSE(idleStepped());
  EXPECT_EQ(settle(), 0);
  EXPECT_TRUE(idleStepped());
  EXPECT_EQ(settle(), 1);
  EXPECT_TRUE(idleStepped());

  // s while animating: exactly one more step, then stopped.
  press('s');
  EXPECT_TRUE(idleStepped());
  EXPECT_FALSE(idleStepped());
  EXPECT_FALSE(idleStepped());

  // s twice before an idle call is still one step.
  press('s');
  press('s');
  EXPECT_TRUE(idleStepped());
  EXPECT_FALSE(idleStepped());
}

TEST_F(KeyboardTest, ResetDuringAnimationKeepsAnimating) {
  press('a');
  for (int i = 0; i < 20; ++i) idle();
  press('r');
  EXPECT_EQ(cloth.positions[0].x, 10.0) << "laid out flat again";
  EXPECT_TRUE(animating);
  idle();
  EXPECT_EQ(cloth.positions[0].x, 20.0) << "back on its pin after the next step";
}

// The lab's settings as scripts, the menu and the page give them: each sets
// the sheet, says so in one line and draws again.
TEST_F(KeyboardTest, LabSettingsSetTheSheetAndSayWhatTheySet) {
  struct Case {
    const char* token;
    std::string line;
    std::function<void()> expectState;
  };
  const Case cases[] = {
      {"wind:0.005,0,-0.01", "Wind = 0.005,0,-0.01\n",
       [] { expectSame(cloth.wind, Vector3(0.005, 0, -0.01)); }},
      {"wind:0,0,0", "Wind = 0,0,0\n", [] { EXPECT_FALSE(cloth.hasWind()); }},
      {"ball:50,40.5,0,10", "Ball = 50,40.5,0,10\n",
       [] {
         EXPECT_TRUE(cloth.ball.present);
         EXPECT_EQ(cloth.ball.centre.y, 40.5);
         EXPECT_EQ(cloth.ball.radius, 10);
       }},
      {"ball:off", "Ball off\n", [] { EXPECT_FALSE(cloth.ball.present); }},
      {"tear:3.5", "Tear = 3.5\n", [] { EXPECT_EQ(cloth.tearRatio, 3.5); }},
      {"tear:off", "Tear off\n", [] { EXPECT_EQ(cloth.tearRatio, 0); }},
      {"passes:20", "Passes = 20\n", [] { EXPECT_EQ(cloth.relaxationPasses, 20); }},
      {"damping:0.95", "Damping = 0.95\n", [] { EXPECT_EQ(cloth.damping, 0.95); }},
      {"gravity:0.002,-0.02,0", "Gravity = 0.002,-0.02,0\n",
       [] { EXPECT_EQ(cloth.gravity.y, -0.02); }},
      // Between rows 19 and 20 of the flat sheet r lays out.
      {"cut:-100,51,-200,300,51,-200,100,51,300", "Cut = 133\n",
       [] { EXPECT_EQ(cloth.brokenSprings, 133); }},
      {"cut:-100,51,-200,300,51,-200,100,51,300", "", [] {}},  // nothing left to cut: silent
  };
  press('r');
  for (const Case& c : cases) {
    SCOPED_TRACE(c.token);
    std::vector<ScriptToken> script;
    std::string error;
    ASSERT_TRUE(parseScript(c.token, script, error)) << error;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(playToken(script[0]));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.line);
    EXPECT_EQ(settle() > 0, !c.line.empty()) << "drawn again after a change";
    c.expectState();
  }
  // r mends every spring, and the specified sheet steps on as before.
  press('r');
  EXPECT_EQ(cloth.brokenSprings, 0);
}

}  // namespace
