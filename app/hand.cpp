#include "app/hand.h"

#include "render/opengl.h"

#include <cmath>
#include <iostream>

#include "app/cutter.h"
#include "app/view_state.h"
#include "render/picking.h"

Vector3 onHandGrid(Vector3 point) {
  // Scaling by a power of two and rounding are exact: the grid point is the
  // nearest one, and reads back as written.
  const auto snap = [](double value) { return std::round(value / HAND_GRID) * HAND_GRID; };
  return Vector3(snap(point.x), snap(point.y), snap(point.z));
}

void grabAt(int particle, Vector3 target) {
  cloth.grabParticle(particle, target);
  std::cout << "Grab = " << particle << " at " << scriptPoint(target) << std::endl;
}

void moveHand(Vector3 target) { cloth.moveGrab(target); }

namespace {

long placements = 0;

void placeIfStill() {
  if (animating) return;
  placeHeld();
  ++placements;
}

}  // namespace

void placeHeld() {
  cloth.placeGrabbedParticle();
  glutPostRedisplay();
}

long handPlacements() { return placements; }

void letGo() {
  if (!cloth.grab.active) return;
  cloth.releaseGrab();
  const int particle = cloth.grab.particle;
  std::cout << "Release = " << particle << " at " << scriptPoint(cloth.particlePosition(particle))
            << std::endl;
}

void mouse(int button, int state, int x, int y) {
  if (button != GLUT_LEFT_BUTTON) return;
  if (state == GLUT_UP) {
    endCut();
    letGo();
    return;
  }
  if (cutToolOn() || (glutGetModifiers() & GLUT_ACTIVE_SHIFT) != 0) {
    startCut(x, y);
    return;
  }
  const int particle = pickParticle(x, y);
  if (particle < 0) return;  // pressed beside the sheet
  // Held where it is drawn; moving takes it from there.
  grabAt(particle, onHandGrid(cloth.particlePosition(particle)));
  placeIfStill();
}

void motion(int x, int y) {
  if (cutTo(x, y)) return;
  if (!cloth.grab.active) return;
  if (x < 0 || y < 0 || x >= windowWidth || y >= windowHeight) {
    letGo();
    return;
  }
  const Vector3 target = onHandGrid(pointUnder(x, y, cloth.grab.target));
  const Vector3 held = cloth.grab.target;
  if (target.x == held.x && target.y == held.y && target.z == held.z) return;
  moveHand(target);
  placeIfStill();
}
