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
extern bool showStretch;    // the quads coloured by their stretch rather than textured
extern bool animating;      // step at every idle call
extern bool stepPending;    // step at the next idle call
extern int textureCounter;  // presses of the texture key
extern int currentTexture;  // texture slot bound for the quads, 0 to 9
extern bool ballInHand;     // the hand carries the lab's ball (not a particle)

// The one simulated sheet.
extern Cloth cloth;

// The values start-up gives the members above that have no static initial
// value; the cloth's box follows boxSize.
void setStartupViewState();

// Puts back the static initial values of the members above that have them,
// as a fresh process has them before main runs (the cloth stays as it is).
void restoreStaticViewState();
