#pragma once

#include "app/key_script.h"
#include "sim/cloth.h"
#include "sim/vector3.h"

// Taking hold of the sheet: the left button or a finger pressed on it holds
// the particle drawn nearest (pressed on the lab's ball, it takes the ball), moving drags the hand
// in the plane that faces the camera, and letting go or leaving the window releases it. Scripts do
// the same with grab, move and release tokens, used as written. Taking hold
// writes one console line that reads back as the script token; letting go
// writes where the particle is; moving is silent. While the sheet stands
// still the pointer's hand also places the particle at once (a "place"
// token), so that pulling is seen before the sheet runs; running, the next
// step puts it there within a frame.

// The pointer's targets lie on a grid of 1/256 scene unit (a pixel is some
// 0.16 units at the start-up view), so that a link writes them in a few
// digits: 88.48046875 rather than 88.48046874999999.
constexpr double HAND_GRID = 1.0 / 256;
Vector3 onHandGrid(Vector3 point);

// "Grab = N at x,y,z"; with BALL_IN_HAND, "Grab = ball at x,y,z" and the
// ball's centre on the hand (nothing, where there is no ball).
void grabAt(int particle, Vector3 target);
void moveHand(Vector3 target);
// What the hand holds: the cloth's grab, or the ball as particle
// BALL_IN_HAND at its centre.
Grab handState();
// The held particle on the hand now, at rest; drawn again.
void placeHeld();
// How many times the pointer's hand has placed the particle, so that a
// caller can tell whether a call placed it.
long handPlacements();
// "Release = N at x,y,z", the particle's place, if the hand holds one
// ("Release = ball at x,y,z", the ball's centre).
void letGo();

// GLUT callbacks: window points in pixels from the top left. The window
// system keeps sending a drag's moves and its release to the window it began
// in, wherever the pointer goes; a move outside the window lets go. With the
// cut tool on or Shift held, the left button cuts instead (app/cutter.h).
void mouse(int button, int state, int x, int y);
void motion(int x, int y);
