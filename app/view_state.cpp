#include "app/view_state.h"

int windowWidth;
int windowHeight;
float boxSize;
float nearPlane;
float farPlane;
float stiffnessSetting;

double stepSize = 1.0;
Vector3 eyePosition(0.0, 0.0, 150.0);
Vector3 lookAtCentre(0.0, 0.0, 0.0);
int rotationAngle = 290;
bool showQuads = true;
bool showNormals = false;
bool showParticles = false;
bool animating = false;
bool stepPending = false;
int textureCounter = 0;
int currentTexture = 0;

Cloth cloth;

void setUpStartupCloth(Cloth& sheet) {
  const GridLayout& l = STARTUP_LAYOUT;
  sheet.resetGrid(l.x0, l.y0, l.z0, l.dx, l.dy, l.dz);
  sheet.setGravity(0.0, -0.01, 0.0);
  sheet.setTimeStep(1.0);
  sheet.addPin(0, 20.0, 90.0, 30.0);
  sheet.addPin(44, 65.0, 90.0, -20.0);
}

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
