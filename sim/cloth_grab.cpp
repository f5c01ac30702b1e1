#include <cassert>

#include "sim/cloth.h"

void Cloth::grabParticle(int particle, Vector3 target) {
  assert(particle >= 0 && particle < PARTICLE_COUNT);
  grab.active = true;
  grab.particle = particle;
  grab.target = target;
}

void Cloth::moveGrab(Vector3 target) { grab.target = target; }

void Cloth::holdGrabbedParticle() {
  if (!grab.active) return;
  const double box = boxSize;
  const Vector3 lower(0.0, 0.0, -0.5 * box);
  const Vector3 upper(box, box, 0.5 * box);
  positions[grab.particle] = componentMin(componentMax(grab.target, lower), upper);
}

void Cloth::placeGrabbedParticle() {
  if (!grab.active) return;
  holdGrabbedParticle();
  previousPositions[grab.particle] = positions[grab.particle];
}
