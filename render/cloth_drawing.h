#pragma once

#include "sim/vector3.h"

// Length of a drawn normal marker per unit of normal, scene units.
constexpr double NORMAL_DRAW_SCALE = 5.0;

// Draws the global cloth's layers (quads, particles, normals) as the view
// state switches them, under the frame that maps cloth space into the box.
void drawCloth();
void drawFaceNormals();
// A line from base to base + direction, with a point at its tip.
void drawNormal(Vector3 direction, Vector3 base);
