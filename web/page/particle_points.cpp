// The hand and the particles as the page's keyboard and one-tap hands need
// them: what the hand holds, which particle is nearest a point of the
// canvas, and where a particle (or the lab's ball) is, in canvas pixels from
// the top left (as the pointer gives them).
#include <emscripten/emscripten.h>

#include "app/view_state.h"
#include "render/picking.h"

extern "C" {

// The particle the hand holds, or -1.
EMSCRIPTEN_KEEPALIVE int vantrelleHeldParticle() {
  return cloth.grab.active ? cloth.grab.particle : -1;
}

EMSCRIPTEN_KEEPALIVE int vantrelleNearestParticle(int x, int y) { return nearestParticle(x, y); }

// -1 where the particle is out of view.
EMSCRIPTEN_KEEPALIVE int vantrelleParticleWindowX(int particle) {
  int x, y;
  return particleWindowPoint(particle, x, y) ? x : -1;
}

EMSCRIPTEN_KEEPALIVE int vantrelleParticleWindowY(int particle) {
  int x, y;
  return particleWindowPoint(particle, x, y) ? y : -1;
}

// Where the ball's centre is drawn: -1 where there is no ball or it is out
// of view.
EMSCRIPTEN_KEEPALIVE int vantrelleBallWindowX() {
  int x, y;
  return cloth.ball.present && windowPointOf(cloth.ball.centre, x, y) ? x : -1;
}

EMSCRIPTEN_KEEPALIVE int vantrelleBallWindowY() {
  int x, y;
  return cloth.ball.present && windowPointOf(cloth.ball.centre, x, y) ? y : -1;
}

}  // extern "C"
