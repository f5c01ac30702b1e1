#include "render/plain_cloth_drawing.h"

#include "render/opengl.h"

#include "app/view_state.h"
#include "render/cloth_drawing.h"
#include "render/gl_vertex.h"
#include "render/quad_corners.h"
#include "render/scene.h"
#include "sim/cloth.h"

namespace {

void drawQuads() {
  glColor3f(0.4f, 0.5f, 0.0f);
  glCullFace(GL_FRONT);
  for (int q = 0; q < QUAD_COUNT; ++q) {
    if (!cloth.quadIntact(q)) continue;  // torn from its neighbours
    const int corner = quadCorner(q);
    const Vector3 n = cloth.faceNormal(q);
    glNormal3f(static_cast<float>(n.x), static_cast<float>(n.y), static_cast<float>(n.z));
    glBindTexture(GL_TEXTURE_2D, currentTexture);
    glBegin(GL_QUADS);
    for (const QuadCorner& c : QUAD_CORNERS) {
      glTexCoord2f(c.s, c.t);
      glVertex(cloth.particlePosition(corner + c.offset));
    }
    glEnd();
  }
}

void drawParticles() {
  glBegin(GL_POINTS);
  for (int i = 0; i < PARTICLE_COUNT; ++i) glVertex(cloth.particlePosition(i));
  glEnd();
}

}  // namespace

namespace plain {

void drawCloth() {
  applyMaterial(clothMaterial);
  if (showQuads) drawQuads();
  glColor3f(0.5f, 0.5f, 0.3f);
  applyMaterial(markerMaterial);
  if (showParticles) drawParticles();
  if (showNormals) plain::drawFaceNormals();
}

void drawFaceNormals() {
  applyMaterial(markerMaterial);
  for (int q = 0; q < QUAD_COUNT; ++q) {
    if (!cloth.quadIntact(q)) continue;
    plain::drawNormal(cloth.faceNormal(q) * NORMAL_DRAW_SCALE,
                      cloth.particlePosition(quadCorner(q)));
  }
}

void drawNormal(Vector3 direction, Vector3 base) {
  glLineWidth(1.0f);
  glColor3f(0.2f, 0.2f, 0.4f);
  const Vector3 tip = base + direction;
  glBegin(GL_LINES);
  glVertex(base);
  glVertex(tip);
  glEnd();
  glPointSize(3.0f);
  glBegin(GL_POINTS);
  glVertex(tip);
  glEnd();
}

}  // namespace plain
