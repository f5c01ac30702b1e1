#include "render/picking.h"

#include "render/opengl.h"

#include <cmath>

#include "app/view_state.h"
#include "render/scene.h"

namespace {

// The frame's matrices and viewport, read back from GL.
struct Camera {
  GLdouble modelview[16];
  GLdouble projection[16];
  GLint viewport[4];
};

Camera frameCamera() {
  Camera camera;
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  loadFrameCamera();
  glGetDoublev(GL_MODELVIEW_MATRIX, camera.modelview);
  glPopMatrix();
  glGetDoublev(GL_PROJECTION_MATRIX, camera.projection);
  glGetIntegerv(GL_VIEWPORT, camera.viewport);
  return camera;
}

// GL's window y runs up from the bottom row.
double glWindowY(const Camera& camera, int y) { return camera.viewport[3] - 1 - y + 0.5; }

// The particle drawn nearest to the point among those within the squared
// distance, the nearer to the eye on a tie; -1 if none.
int nearestWithin(int x, int y, double squaredLimit) {
  const Camera camera = frameCamera();
  const double px = x + 0.5;
  const double py = glWindowY(camera, y);
  int nearest = -1;
  double nearestDistance = squaredLimit;
  double nearestDepth = 0;
  for (int i = 0; i < PARTICLE_COUNT; ++i) {
    const Vector3 p = cloth.particlePosition(i);
    GLdouble wx, wy, wz;
    if (!gluProject(p.x, p.y, p.z, camera.modelview, camera.projection, camera.viewport, &wx, &wy,
                    &wz))
      continue;
    if (wz < 0.0 || wz > 1.0) continue;  // behind the eye or outside the depth range
    const double distance = (wx - px) * (wx - px) + (wy - py) * (wy - py);
    if (distance < nearestDistance || (distance == nearestDistance && wz < nearestDepth)) {
      nearest = i;
      nearestDistance = distance;
      nearestDepth = wz;
    }
  }
  return nearest;
}

}  // namespace

int pickParticle(int x, int y) { return nearestWithin(x, y, PICK_RADIUS * PICK_RADIUS); }

int nearestParticle(int x, int y) { return nearestWithin(x, y, HUGE_VAL); }

bool particleWindowPoint(int i, int& x, int& y) {
  return windowPointOf(cloth.particlePosition(i), x, y);
}

bool windowPointOf(Vector3 p, int& x, int& y) {
  const Camera camera = frameCamera();
  GLdouble wx, wy, wz;
  if (!gluProject(p.x, p.y, p.z, camera.modelview, camera.projection, camera.viewport, &wx, &wy,
                  &wz) ||
      wz < 0.0 || wz > 1.0)
    return false;
  // The pixel the point falls in, its rows counted from the top.
  x = static_cast<int>(std::floor(wx));
  y = camera.viewport[3] - 1 - static_cast<int>(std::floor(wy));
  return true;
}

Vector3 pointUnder(int x, int y, Vector3 through) {
  const Camera camera = frameCamera();
  GLdouble wx, wy, wz;
  if (!gluProject(through.x, through.y, through.z, camera.modelview, camera.projection,
                  camera.viewport, &wx, &wy, &wz))
    return through;
  // Every point at the same window depth lies in one plane facing the camera.
  GLdouble ox, oy, oz;
  if (!gluUnProject(x + 0.5, glWindowY(camera, y), wz, camera.modelview, camera.projection,
                    camera.viewport, &ox, &oy, &oz))
    return through;
  return Vector3(ox, oy, oz);
}

PointerRay pointerRay(int x, int y) {
  const Camera camera = frameCamera();
  const auto unproject = [&](double depth) {
    GLdouble ox = 0, oy = 0, oz = 0;
    gluUnProject(x + 0.5, glWindowY(camera, y), depth, camera.modelview, camera.projection,
                 camera.viewport, &ox, &oy, &oz);
    return Vector3(ox, oy, oz);
  };
  const Vector3 nearPoint = unproject(0.0), farPoint = unproject(1.0);
  // Along the ray the eye is as far before the near plane as the near plane
  // is from it: back from the near point by near / (far - near) of the span.
  const double back = static_cast<double>(nearPlane) / (farPlane - nearPlane);
  return {nearPoint + (nearPoint - farPoint) * back, farPoint};
}

bool ballUnder(int x, int y, Vector3 centre, double radius) {
  const PointerRay ray = pointerRay(x, y);
  const Vector3 along = ray.farPoint - ray.eye;
  const Vector3 toCentre = centre - ray.eye;
  if (toCentre.dot(along) <= 0.0) return false;  // behind the eye
  const Vector3 across = toCentre.cross(along);
  return across.dot(across) <= radius * radius * along.dot(along);
}
