#include "app/command_menu.h"

#include "render/opengl.h"

#include <cstring>
#include <vector>

#include "app/cutter.h"
#include "app/keyboard.h"
#include "app/lab.h"
#include "app/startup_sheet.h"
#include "app/token_player.h"
#include "app/view_state.h"

std::string menuLabel(const char* label) {
  const struct {
    const char* utf8;
    const char* ascii;
  } signs[] = {{"\u2212", "-"}, {"\u00b0", " degrees"}};
  std::string text = label;
  for (const auto& sign : signs)
    for (size_t at; (at = text.find(sign.utf8)) != std::string::npos;)
      text.replace(at, std::strlen(sign.utf8), sign.ascii);
  return text;
}

namespace {

// The lab's choices, a submenu each; choosing one plays its script token,
// line and all.
struct LabChoice {
  const char* label;
  ScriptToken token;
};
struct LabSubmenu {
  const char* title;
  std::vector<LabChoice> choices;
};

// Under the hanging sheet, in the middle of where it swings: release the
// pins (2) and it falls onto the ball.
constexpr double BALL_X = 45, BALL_Y = 30, BALL_Z = 5;

const std::vector<LabSubmenu>& labSubmenus() {
  static const std::vector<LabSubmenu> submenus = {
      {"Wind",
       {{"none", SetWind{Vector3(0, 0, 0)}},
        {"breeze towards +z", SetWind{Vector3(0, 0, 0.005)}},
        {"gale towards +z", SetWind{Vector3(0, 0, 0.02)}},
        {"breeze towards -z", SetWind{Vector3(0, 0, -0.005)}},
        {"breeze towards +x", SetWind{Vector3(0.005, 0, 0)}}}},
      {"Ball",
       {{"none", SetBall{false, Vector3(), 0}},
        {"small, under the sheet", SetBall{true, Vector3(BALL_X, BALL_Y, BALL_Z), 6}},
        {"large, under the sheet", SetBall{true, Vector3(BALL_X, BALL_Y, BALL_Z), 12}}}},
      {"Tearing",
       {{"off", SetTearing{0}},
        {"strong cloth (3.5 x its length)", SetTearing{DEFAULT_TEAR_RATIO}},
        {"weak cloth (2 x its length)", SetTearing{2}}}},
      {"Relaxation passes",
       {{"1 (as at start-up)", SetPasses{1}},
        {"2", SetPasses{2}},
        {"5", SetPasses{5}},
        {"10", SetPasses{10}},
        {"20", SetPasses{20}}}},
      {"Damping",
       {{"0.99 (as at start-up)", SetDamping{0.99}},
        {"0.95", SetDamping{0.95}},
        {"0.999", SetDamping{0.999}}}},
      {"Gravity",
       {{"down (as at start-up)", SetGravity{Vector3(0, STARTUP_GRAVITY_Y, 0)}},
        {"twice as strong", SetGravity{Vector3(0, 2 * STARTUP_GRAVITY_Y, 0)}},
        {"none", SetGravity{Vector3(0, 0, 0)}},
        {"aslant", SetGravity{Vector3(0.007, -0.007, 0)}}}},
  };
  return submenus;
}

}  // namespace

void chooseMenuEntry(int entry) {
  const auto commands = commandTable();
  if (entry >= 0 && entry < static_cast<int>(commands.size())) keyboard(commands[entry].key, 0, 0);
  if (entry == CUT_TOOL_MENU_ENTRY) setCutTool(!cutToolOn());
  if (entry == STRETCH_MENU_ENTRY) playToken(SetStretchColours{!showStretch});
  int number = LAB_MENU_ENTRIES;
  for (const LabSubmenu& submenu : labSubmenus())
    for (const LabChoice& choice : submenu.choices)
      if (number++ == entry) playToken(choice.token);
}

void attachCommandMenu() {
  std::vector<int> submenus;
  int number = LAB_MENU_ENTRIES;
  for (const LabSubmenu& submenu : labSubmenus()) {
    submenus.push_back(glutCreateMenu(chooseMenuEntry));
    for (const LabChoice& choice : submenu.choices) glutAddMenuEntry(choice.label, number++);
  }
  glutCreateMenu(chooseMenuEntry);
  const auto commands = commandTable();
  for (size_t entry = 0; entry < commands.size(); ++entry) {
    if (commands[entry].label == nullptr) continue;  // a second key of a command
    const std::string text = std::string(1, static_cast<char>(commands[entry].key)) + "   " +
                             menuLabel(commands[entry].label);
    glutAddMenuEntry(text.c_str(), static_cast<int>(entry));
  }
  for (size_t k = 0; k < submenus.size(); ++k) glutAddSubMenu(labSubmenus()[k].title, submenus[k]);
  glutAddMenuEntry("Cut tool: the left button cuts (or hold Shift)", CUT_TOOL_MENU_ENTRY);
  glutAddMenuEntry("Stretch colours: the quads coloured by stretch, or textured",
                   STRETCH_MENU_ENTRY);
  glutAttachMenu(GLUT_RIGHT_BUTTON);
}
