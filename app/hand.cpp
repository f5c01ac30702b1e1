#include "app/hand.h"

#include "render/opengl.h"

#include <iostream>

#include "app/view_state.h"
#include "render/picking.h"

void grabAt(int particle, Vector3 target) {
  cloth.grabParticle(particle, target);
  std::cout << "Grab = " << particle << " at " << scriptPoint(target) << std::endl;
}

void moveHand(Vector3 target) { cloth.moveGrab(target); }

void letGo() {
  if (!cloth.grab.active) return;
  cloth.releaseGrab();
  std::cout << "Release = " << cloth.grab.particle << " at " << scriptPoint(cloth.grab.target)
            << std::endl;
}

void mouse(int button, int state, int x, int y) {
  if (button != GLUT_LEFT_BUTTON) return;
  if (state == GLUT_UP) {
    letGo();
    return;
  }
  const int particle = pickParticle(x, y);
  if (particle < 0) return;  // pressed beside the sheet
  // Held where it is drawn; moving takes it from there.
  grabAt(particle, cloth.particlePosition(particle));
}

void motion(int x, int y) {
  if (!cloth.grab.active) return;
  if (x < 0 || y < 0 || x >= windowWidth || y >= windowHeight) {
    letGo();
    return;
  }
  moveHand(pointUnder(x, y, cloth.grab.target));
}
