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
  if (particle == BALL_IN_HAND) {
    if (!cloth.ball.present) return;  // no ball to take
    cloth.releaseGrab();
    ballInHand = true;
    cloth.ball.centre = target;
    glutPostRedisplay();
    std::cout << "Grab = ball at " << scriptPoint(target) << std::endl;
    return;
  }
  ballInHand = false;
  cloth.grabParticle(particle, target);
  std::cout << "Grab = " << particle << " at " << scriptPoint(target) << std::endl;
}

void moveHand(Vector3 target) {
  if (ballInHand) {
    cloth.ball.centre = target;
    glutPostRedisplay();
  } else {
    cloth.moveGrab(target);
  }
}

Grab handState() {
  if (ballInHand) return {true, BALL_IN_HAND, cloth.ball.centre};
  return cloth.grab;
}

namespace {

long placements = 0;
Vector3 ballGrip;  // from the point under the pointer to the ball's centre

void placeIfStill() {
  if (animating || ballInHand) return;
  placeHeld();
  ++placements;
}

}  // namespace

void placeHeld() {
  if (ballInHand) return;  // the ball is where the hand is already
  cloth.placeGrabbedParticle();
  glutPostRedisplay();
}

long handPlacements() { return placements; }

void letGo() {
  if (ballInHand) {
    ballInHand = false;
    std::cout << "Release = ball at " << scriptPoint(cloth.ball.centre) << std::endl;
    return;
  }
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
  // The ball is in front of what it covers: pressed on, it is taken, and it
  // keeps the offset from the pointer to its centre as it is carried.
  if (cloth.ball.present && ballUnder(x, y, cloth.ball.centre, cloth.ball.radius)) {
    ballGrip = cloth.ball.centre - pointUnder(x, y, cloth.ball.centre);
    grabAt(BALL_IN_HAND, onHandGrid(cloth.ball.centre));
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
  const Grab hand = handState();
  if (!hand.active) return;
  if (x < 0 || y < 0 || x >= windowWidth || y >= windowHeight) {
    letGo();
    return;
  }
  const Vector3 grip = ballInHand ? ballGrip : Vector3();
  const Vector3 target = onHandGrid(pointUnder(x, y, hand.target) + grip);
  const Vector3 held = hand.target;
  if (target.x == held.x && target.y == held.y && target.z == held.z) return;
  moveHand(target);
  placeIfStill();
}
