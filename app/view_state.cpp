#include "app/view_state.h"

int windowWidth;
int windowHeight;
float boxSize;
float nearPlane;
float farPlane;
float stiffnessSetting;

namespace {
// The static initial values, named once for the definitions below and for
// restoreStaticViewState.
constexpr double INITIAL_STEP_SIZE = 1.0;
constexpr double INITIAL_EYE_DISTANCE = 150.0;  // scene units along +z
constexpr int INITIAL_ROTATION_ANGLE = 290;     // degrees
}  // namespace

double stepSize = INITIAL_STEP_SIZE;
Vector3 eyePosition(0.0, 0.0, INITIAL_EYE_DISTANCE);
Vector3 lookAtCentre(0.0, 0.0, 0.0);
int rotationAngle = INITIAL_ROTATION_ANGLE;
bool showQuads = true;
bool showNormals = false;
bool showParticles = false;
bool showStretch = false;
bool animating = false;
bool ballInHand = false;
bool stepPending = false;
int textureCounter = 0;
int currentTexture = 0;

Cloth cloth;

void setStartupViewState() {
  windowWidth = 500;
  windowHeight = 400;
  boxSize = 100.0f;
  // Far enough to keep depth precision, well inside the 100 units between the
  // eye and the near face of the box.
  nearPlane = 1.0f;
  farPlane = 400.0f;
  stiffnessSetting = 0.5f;
  cloth.boxSize = boxSize;
}

void restoreStaticViewState() {
  stepSize = INITIAL_STEP_SIZE;
  eyePosition = Vector3(0.0, 0.0, INITIAL_EYE_DISTANCE);
  lookAtCentre = Vector3(0.0, 0.0, 0.0);
  rotationAngle = INITIAL_ROTATION_ANGLE;
  showQuads = true;
  showNormals = false;
  showParticles = false;
  showStretch = false;
  animating = false;
  stepPending = false;
  textureCounter = 0;
  currentTexture = 0;
  ballInHand = false;
}
