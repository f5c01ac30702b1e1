#include "app/startup_sheet.h"

void layOutStartupGrid(Cloth& sheet) {
  const GridLayout& l = STARTUP_LAYOUT;
  sheet.resetGrid(l.x0, l.y0, l.z0, l.dx, l.dy, l.dz);
  // Rewriting a whole table writes the values it holds: no change at all.
  sheet.layOutSprings();
}

void setUpStartupCloth(Cloth& sheet) {
  layOutStartupGrid(sheet);
  sheet.setGravity(0.0, STARTUP_GRAVITY_Y, 0.0);
  sheet.setTimeStep(1.0);
  sheet.addPin(0, 20.0, 90.0, 30.0);
  sheet.addPin(44, 65.0, 90.0, -20.0);
}
