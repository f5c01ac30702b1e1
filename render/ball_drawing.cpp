#include "render/ball_drawing.h"

#include "render/opengl.h"

#include "render/gl_vertex.h"
#include "render/scene.h"

const Material ballMaterial = {
    {0.25f, 0.06f, 0.04f, 1.0f}, {0.8f, 0.25f, 0.15f, 1.0f}, {0.6f, 0.6f, 0.6f, 1.0f}, 30.0f};

namespace {

// Facets along each edge of a cube face: 6 × 12 × 12 facets in all.
constexpr int FACETS_PER_EDGE = 12;

// A cube face: its outward axis and two in-face axes with u × v = axis, so
// that corners taken (u0,v0), (u1,v0), (u1,v1), (u0,v1) run anticlockwise
// seen from outside.
struct CubeFace {
  Vector3 axis, u, v;
};
const CubeFace CUBE_FACES[] = {
    {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
    {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
    {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}, {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
};

Vector3 onUnitSphere(const CubeFace& face, double u, double v) {
  Vector3 point = face.axis + face.u * u + face.v * v;
  normalize(point);
  return point;
}

}  // namespace

void drawBall(const Ball& ball) {
  applyMaterial(ballMaterial);
  glColor3f(0.8f, 0.25f, 0.15f);
  glDisable(GL_TEXTURE_2D);
  // The facets run anticlockwise seen from outside: the far side is culled.
  glCullFace(GL_BACK);
  // Drawn a little inside its surface: the sheet lies on the sphere, and its
  // flat quads cut inside it between particles, where the facets would show
  // through.
  const double drawnRadius = 0.96 * ball.radius;
  glBegin(GL_QUADS);
  for (const CubeFace& face : CUBE_FACES) {
    for (int i = 0; i < FACETS_PER_EDGE; ++i) {
      for (int j = 0; j < FACETS_PER_EDGE; ++j) {
        const double u0 = -1.0 + 2.0 * i / FACETS_PER_EDGE,
                     u1 = -1.0 + 2.0 * (i + 1) / FACETS_PER_EDGE;
        const double v0 = -1.0 + 2.0 * j / FACETS_PER_EDGE,
                     v1 = -1.0 + 2.0 * (j + 1) / FACETS_PER_EDGE;
        const Vector3 corners[4] = {onUnitSphere(face, u0, v0), onUnitSphere(face, u1, v0),
                                    onUnitSphere(face, u1, v1), onUnitSphere(face, u0, v1)};
        Vector3 normal = corners[0] + corners[1] + corners[2] + corners[3];
        normalize(normal);
        glNormal3f(static_cast<float>(normal.x), static_cast<float>(normal.y),
                   static_cast<float>(normal.z));
        for (const Vector3& corner : corners) glVertex(ball.centre + corner * drawnRadius);
      }
    }
  }
  glEnd();
  glCullFace(GL_FRONT);
  glEnable(GL_TEXTURE_2D);
}
