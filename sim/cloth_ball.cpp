#include <cmath>

#include "sim/cloth.h"

void Cloth::keepOutOfBall() {
  if (!ball.present) return;
  const double radiusSquared = ball.radius * ball.radius;
  for (Vector3& position : positions) {
    const Vector3 out = position - ball.centre;
    const double distanceSquared = out.dot(out);
    if (distanceSquared >= radiusSquared) continue;
    // A particle at the very centre has no line out: it goes out upwards.
    if (distanceSquared == 0.0)
      position = ball.centre + Vector3(0.0, ball.radius, 0.0);
    else
      position = ball.centre + out * (ball.radius / std::sqrt(distanceSquared));
  }
}
