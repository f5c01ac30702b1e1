#pragma once

#include "sim/vector3.h"

// The cloth's layers drawn as a plain transcription of the drawing rules:
// every quad, particle and normal marker in a batch of its own. It is the
// oracle the program's drawing is compared with, pixel for pixel, and the
// baseline its speed is measured against; the program never links it.
namespace plain {

void drawCloth();
void drawFaceNormals();
void drawNormal(Vector3 direction, Vector3 base);

}  // namespace plain
