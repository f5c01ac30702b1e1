#pragma once

#include "sim/vector3.h"

// Where the sheet is on the screen, with the camera and projection the frame
// draws with. Window points are GLUT's: pixels from the window's top left.

// Screen distance, in pixels, within which a press takes hold of a particle.
constexpr double PICK_RADIUS = 20.0;

// The particle drawn nearest to the point (the nearer one to the eye where
// two are as near), or -1 where none is within PICK_RADIUS.
int pickParticle(int x, int y);
// The particle drawn nearest to the point, however far (the same rule).
int nearestParticle(int x, int y);
// Where particle i is drawn, as a window point; false if it is not in view.
bool particleWindowPoint(int i, int& x, int& y);

// The point under the window point in the plane through `through` that faces
// the camera.
Vector3 pointUnder(int x, int y, Vector3 through);

// The ray from the eye through a window point: the eye, and the point under
// it on the far plane, in the cloth's coordinates.
struct PointerRay {
  Vector3 eye;
  Vector3 farPoint;  // not "far": a Windows header defines it away
};
PointerRay pointerRay(int x, int y);
