#pragma once

#include "sim/cloth.h"

// The sheet as the program starts it, and as key r lays it out again.

// Arguments of Cloth::resetGrid for the flat start-up sheet: first row at
// height 90, columns 2 apart along +x, rows 2 apart downwards.
struct GridLayout {
  double x0, y0, z0;
  double dx, dy, dz;
};
constexpr GridLayout STARTUP_LAYOUT = {10.0, 90.0, 0.0, 2.0, -2.0, 0.0};

// Gravity at start-up: straight down, scene units per step².
constexpr double STARTUP_GRAVITY_Y = -0.01;

// Lays the sheet out flat at rest on the start-up grid, every spring whole;
// pins and parameters stay as they are.
void layOutStartupGrid(Cloth& sheet);

// The start-up grid, gravity and time step, and the two top corners pinned
// away from their grid places.
void setUpStartupCloth(Cloth& sheet);
