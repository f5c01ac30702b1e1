#pragma once

#include "app/key_script.h"
#include "sim/vector3.h"

// Taking hold of the sheet: the left button or a finger pressed on it holds
// the particle drawn nearest, moving drags the hand in the plane that faces
// the camera, and letting go or leaving the window releases it. Scripts do
// the same with grab, move and release tokens. Taking hold and letting go
// each write one console line that reads back as the script token; moving is
// silent.

// "Grab = N at x,y,z"
void grabAt(int particle, Vector3 target);
void moveHand(Vector3 target);
// "Release = N at x,y,z", if the hand holds a particle.
void letGo();

// GLUT callbacks: window points in pixels from the top left. The window
// system keeps sending a drag's moves and its release to the window it began
// in, wherever the pointer goes; a move outside the window lets go.
void mouse(int button, int state, int x, int y);
void motion(int x, int y);
