// The cloth's layers, drawn in as few GL batches as give the pixels of one
// batch per quad, particle and marker (the plain drawing in
// plain_cloth_drawing.cpp, which the tests compare with pixel by pixel).
#include "render/cloth_drawing.h"

#include "render/opengl.h"

#include "app/view_state.h"
#include "render/gl_vertex.h"
#include "render/quad_corners.h"
#include "render/scene.h"
#include "render/stretch_colours.h"
#include "sim/cloth.h"

void drawQuadCorners(int q) {
  const Vector3 n = cloth.faceNormal(q);
  glNormal3f(static_cast<float>(n.x), static_cast<float>(n.y), static_cast<float>(n.z));
  const int corner = quadCorner(q);
  for (const QuadCorner& c : QUAD_CORNERS) {
    glTexCoord2f(c.s, c.t);
    glVertex(cloth.particlePosition(corner + c.offset));
  }
}

namespace {

// One batch of independent quads. Each quad's normal is set before its first
// corner, so every corner carries the normal it would carry in a batch of its
// own, and quads are cut into triangles one by one whatever the batch. The
// texture is the same for every quad, so it is bound once.
void drawQuads() {
  glColor3f(0.4f, 0.5f, 0.0f);
  glCullFace(GL_FRONT);
  glBindTexture(GL_TEXTURE_2D, currentTexture);
  glBegin(GL_QUADS);
  for (int q = 0; q < QUAD_COUNT; ++q) {
    // Torn from its neighbours: neither it nor its marker.
    if (cloth.quadIntact(q)) drawQuadCorners(q);
  }
  glEnd();
}

// A normal marker runs from its quad's first corner to this tip.
Vector3 markerTip(int q) {
  return cloth.particlePosition(quadCorner(q)) + cloth.faceNormal(q) * NORMAL_DRAW_SCALE;
}

}  // namespace

// The particles and the normal markers' lines and tips are all lit the same
// (one normal, one material, directional lights, a viewer at infinity) and
// take the same texel, so all their fragments have one colour. With GL_LESS a
// pixel then ends with that colour exactly when one of them there is nearer
// than what the quads left, in whatever order they come: all the points go in
// one batch and all the lines in another.
void drawCloth() {
  applyMaterial(clothMaterial);
  if (showQuads) {
    if (showStretch)
      drawStretchQuads();
    else
      drawQuads();
  }
  glColor3f(0.5f, 0.5f, 0.3f);
  applyMaterial(markerMaterial);
  if (showNormals) {
    // The state that drawing the markers one by one leaves behind.
    glLineWidth(1.0f);
    glColor3f(0.2f, 0.2f, 0.4f);
    glPointSize(3.0f);
  }
  if (showParticles || showNormals) {
    glBegin(GL_POINTS);
    if (showParticles)
      for (int i = 0; i < PARTICLE_COUNT; ++i) glVertex(cloth.particlePosition(i));
    if (showNormals)
      for (int q = 0; q < QUAD_COUNT; ++q)
        if (cloth.quadIntact(q)) glVertex(markerTip(q));
    glEnd();
  }
  if (showNormals) {
    glBegin(GL_LINES);
    for (int q = 0; q < QUAD_COUNT; ++q) {
      if (!cloth.quadIntact(q)) continue;
      glVertex(cloth.particlePosition(quadCorner(q)));
      glVertex(markerTip(q));
    }
    glEnd();
  }
}
