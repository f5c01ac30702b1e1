#include "app/keyboard.h"

#include "render/opengl.h"

#include <cstdlib>
#include <iostream>
#include <sstream>

#include "app/hand.h"
#include "app/startup_sheet.h"
#include "app/view_state.h"
#include "render/texture.h"

namespace {

constexpr double STIFFNESS_INCREMENT = 0.05;
constexpr int ANGLE_INCREMENT = 5;  // degrees
constexpr double EYE_DISTANCE_INCREMENT = 10.0;
constexpr double STEP_SIZE_INCREMENT = 0.5;

// Key 1 pins both top corners 10 higher and further apart than start-up does.
struct Pin {
  int particle;
  double x, y, z;
};
constexpr Pin RESTORE_PINS[] = {{0, 10.0, 100.0, 40.0}, {44, 90.0, 100.0, -40.0}};

// Every console line: the literal, the value if any, then endl's flush.
void echo(const char* literal) { std::cout << literal << std::endl; }
template <typename Value>
void echo(const char* literal, Value value) {
  std::cout << literal << value << std::endl;
}

void changeStiffness(double delta) {
  // The setting is kept as a float, but the cloth gets the unrounded sum.
  const double stiffness = static_cast<double>(stiffnessSetting) + delta;
  stiffnessSetting = static_cast<float>(stiffness);
  cloth.setStiffness(stiffness);
  echo("Sping Constant = ", stiffnessSetting);
}

void changeStepSize(double delta) {
  stepSize += delta;
  cloth.setTimeStep(stepSize);
  echo("Time Step = ", stepSize);
}

// The line names the layer, never its new state.
void toggle(bool& layer, const char* name) {
  layer = !layer;
  echo(name);
}

void turn(int degrees) {
  rotationAngle += degrees;
  echo("Rotate Angle = ", rotationAngle);
}

// Each command returns whether it asks for a redraw.
bool stiffnessDown() {
  changeStiffness(-STIFFNESS_INCREMENT);
  return false;
}
bool stiffnessUp() {
  changeStiffness(STIFFNESS_INCREMENT);
  return false;
}
bool pinCorners() {
  for (const Pin& pin : RESTORE_PINS) cloth.addPin(pin.particle, pin.x, pin.y, pin.z);
  echo("Restore Constrained Points ");
  return true;
}
bool releasePins() {
  cloth.clearPins();
  echo("Delete Constrained Points ");
  return true;
}
bool turnLeft() {
  turn(ANGLE_INCREMENT);
  return true;
}
bool turnRight() {
  turn(-ANGLE_INCREMENT);
  return true;
}
bool cameraAway() {  // the eye looks along -z: a larger z is further away
  eyePosition.z += EYE_DISTANCE_INCREMENT;
  echo("Zoom In ");
  return true;
}
bool cameraNearer() {
  eyePosition.z -= EYE_DISTANCE_INCREMENT;
  echo("Zoom Out ");
  return true;
}
bool stepSizeDown() {
  changeStepSize(-STEP_SIZE_INCREMENT);
  return true;
}
bool stepSizeUp() {
  changeStepSize(STEP_SIZE_INCREMENT);
  return true;
}
bool animate() {  // stepping itself happens in idle
  animating = true;
  echo("Animate ");
  return false;
}
bool stepOnce() {
  stepPending = true;
  animating = false;
  echo("Step Through ");
  return false;
}
bool toggleQuads() {
  toggle(showQuads, "Quads");
  return true;
}
bool toggleNormals() {
  toggle(showNormals, "Normals");
  return true;
}
bool toggleParticles() {
  toggle(showParticles, "Particles");
  return true;
}
bool layFlat() {
  // A sheet laid flat is out of the hand's reach.
  letGo();
  layOutStartupGrid(cloth);
  echo("Reset = ");
  return true;
}
bool nextTexture() {
  // The line counts presses; the slot wraps round.
  ++textureCounter;
  currentTexture = textureCounter % TEXTURE_SLOT_COUNT;
  echo("Texture is ", textureCounter);
  return true;
}
[[noreturn]] bool quit() { std::exit(0); }

// The table, in the key bar's order. Labels are UTF-8.
constexpr Command COMMANDS[] = {
    {'a', "animate", animate},
    {'s', "one step", stepOnce},
    {'-', "stiffness \u2212", stiffnessDown},
    {'=', "stiffness +", stiffnessUp},
    {'[', "time step \u2212", stepSizeDown},
    {']', "time step +", stepSizeUp},
    {'3', "turn +5\u00b0", turnLeft},
    {'4', "turn \u22125\u00b0", turnRight},
    {'5', "camera away", cameraAway},
    {'6', "camera nearer", cameraNearer},
    {'1', "pin corners", pinCorners},
    {'2', "release pins", releasePins},
    {'r', "lay flat", layFlat},
    {'f', "quads", toggleQuads},
    {'p', "particles", toggleParticles},
    {'n', "normals", toggleNormals},
    {'t', "next texture", nextTexture},
    {'q', "quit", quit},
    {'Q', nullptr, quit},
};

// A value as a console line writes it.
template <typename Value>
std::string asEchoed(Value value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

const KeySetting KEY_SETTINGS[] = {
    {"stiffness", "", '-', '=', STIFFNESS_INCREMENT, [] { return double(stiffnessSetting); },
     [] { return asEchoed(stiffnessSetting); }},
    {"time step", "", '[', ']', STEP_SIZE_INCREMENT, [] { return stepSize; },
     [] { return asEchoed(stepSize); }},
    {"turn", "degrees", '4', '3', ANGLE_INCREMENT, [] { return double(rotationAngle); },
     [] { return asEchoed(rotationAngle); }},
    {"camera distance", "units", '6', '5', EYE_DISTANCE_INCREMENT, [] { return eyePosition.z; },
     [] { return asEchoed(eyePosition.z); }},
};

}  // namespace

std::span<const Command> commandTable() { return COMMANDS; }
std::span<const KeySetting> keySettings() { return KEY_SETTINGS; }

void keyboard(unsigned char key, int, int) {
  for (const Command& command : COMMANDS) {
    if (command.key != key) continue;
    if (command.run()) glutPostRedisplay();
    return;
  }
}
