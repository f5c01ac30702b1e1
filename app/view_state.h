#pragma once

#include "sim/cloth.h"
#include "sim/vector3.h"

// The application's global state, one of each, read by the drawing and
// changed by the keyboard, idle stepping and reshape.

// Set by setStartupViewState, the first step of start-up.
extern int windowWidth;         // pixels; reshape stores each new size
extern int windowHeight;        // pixels
extern float boxSize;           // edge of the box that holds the cloth, scene units
extern float nearPlane;         // perspective near distance, scene units
extern float farPlane;          // perspective far distance, scene units
extern float stiffnessSetting;  // the keyboard's single-precision copy of the stiffness

// Static initial values, present before main runs.
extern double stepSize;  // the keyboard's copy of the cloth's time step
extern Vector3 eyePosition;
extern Vector3 lookAtCentre;
extern int rotationAngle;  // degrees about the vertical axis; never wrapped
extern bool showQuads;
extern bool showNormals;
extern bool showParticles;
extern bool animating;      // step at every idle call
extern bool stepPending;    // step at the next idle call
extern int textureCounter;  // presses of the texture key
extern int currentTexture;  // texture slot bound for the quads, 0 to 9

// The one simulated sheet.
extern Cloth cloth;

// Arguments of Cloth::resetGrid for the flat start-up sheet: first row at
// height 90, columns 2 apart along +x, rows 2 apart downwards.
struct GridLayout {
  double x0, y0, z0;
  double dx, dy, dz;
};
constexpr GridLayout STARTUP_LAYOUT = {10.0, 90.0, 0.0, 2.0, -2.0, 0.0};

// Lays the sheet out flat, sets gravity and the time step, and pins the two
// top corners away from their grid places, as start-up does.
void setUpStartupCloth(Cloth& sheet);

// The values start-up gives the members above that have no static initial
// value; the cloth's box follows boxSize.
void setStartupViewState();
