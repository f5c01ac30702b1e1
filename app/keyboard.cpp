#include "app/keyboard.h"

#include "render/opengl.h"

#include <cstdlib>
#include <iostream>

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

// Returns whether the command asks for a redraw.
bool runCommand(unsigned char key) {
  switch (key) {
    case '-':
      changeStiffness(-STIFFNESS_INCREMENT);
      return false;
    case '=':
      changeStiffness(STIFFNESS_INCREMENT);
      return false;
    case '1':
      for (const Pin& pin : RESTORE_PINS) cloth.addPin(pin.particle, pin.x, pin.y, pin.z);
      echo("Restore Constrained Points ");
      return true;
    case '2':
      cloth.clearPins();
      echo("Delete Constrained Points ");
      return true;
    case '3':
      turn(ANGLE_INCREMENT);
      return true;
    case '4':
      turn(-ANGLE_INCREMENT);
      return true;
    case '5':  // the eye looks along -z: a larger z is further away
      eyePosition.z += EYE_DISTANCE_INCREMENT;
      echo("Zoom In ");
      return true;
    case '6':
      eyePosition.z -= EYE_DISTANCE_INCREMENT;
      echo("Zoom Out ");
      return true;
    case '[':
      changeStepSize(-STEP_SIZE_INCREMENT);
      return true;
    case ']':
      changeStepSize(STEP_SIZE_INCREMENT);
      return true;
    case 'a':  // stepping itself happens in idle
      animating = true;
      echo("Animate ");
      return false;
    case 's':
      stepPending = true;
      animating = false;
      echo("Step Through ");
      return false;
    case 'f':
      toggle(showQuads, "Quads");
      return true;
    case 'n':
      toggle(showNormals, "Normals");
      return true;
    case 'p':
      toggle(showParticles, "Particles");
      return true;
    case 'r':
      // A sheet laid flat is out of the hand's reach.
      letGo();
      layOutStartupGrid(cloth);
      echo("Reset = ");
      return true;
    case 't':
      // The line counts presses; the slot wraps round.
      ++textureCounter;
      currentTexture = textureCounter % TEXTURE_SLOT_COUNT;
      echo("Texture is ", textureCounter);
      return true;
    case 'q':
    case 'Q':
      std::exit(0);
    default:
      return false;
  }
}

}  // namespace

void keyboard(unsigned char key, int, int) {
  if (runCommand(key)) glutPostRedisplay();
}
