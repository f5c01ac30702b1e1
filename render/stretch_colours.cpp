#include "render/stretch_colours.h"

#include "render/opengl.h"

#include "app/view_state.h"
#include "render/cloth_drawing.h"
#include "render/scene.h"
#include "sim/cloth_measures.h"

// Eight samples of the viridis scale, evenly spaced. The edges follow what a
// hanging sheet shows: most quads within a few per cent, the pinned corners'
// far beyond.
const StretchBand stretchBands[STRETCH_BAND_COUNT] = {
    {-0.01, {0x44, 0x01, 0x54}, "squeezed by 1% or more"},
    {0.01, {0x46, 0x33, 0x7e}, "within 1% of its length"},
    {0.02, {0x36, 0x5c, 0x8d}, "1 to 2% longer"},
    {0.05, {0x27, 0x7f, 0x8e}, "2 to 5% longer"},
    {0.10, {0x1f, 0xa1, 0x87}, "5 to 10% longer"},
    {0.20, {0x4a, 0xc1, 0x6d}, "10 to 20% longer"},
    {0.50, {0x9f, 0xda, 0x3a}, "20 to 50% longer"},
    {0.0, {0xfd, 0xe7, 0x25}, "50% longer or more"},
};

int stretchBand(double stretch) {
  for (int band = 0; band + 1 < STRETCH_BAND_COUNT; ++band)
    if (stretch < stretchBands[band].below) return band;
  return STRETCH_BAND_COUNT - 1;
}

namespace {

// Lit as the sheet is, by the same lights; matte, so the colour reads the
// same from every side.
Material bandMaterial(int band) {
  Material m = {{0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, 0.0f};
  for (int k = 0; k < 3; ++k) {
    const float c = stretchBands[band].colour[k] / 255.0f;
    m.ambient[k] = 0.4f * c;
    m.diffuse[k] = 0.6f * c;
  }
  return m;
}

}  // namespace

void drawStretchQuads() {
  int bandOf[QUAD_COUNT];
  for (int q = 0; q < QUAD_COUNT; ++q)
    bandOf[q] = cloth.quadIntact(q) ? stretchBand(quadStretch(cloth, q)) : -1;
  // The quads take no texel, but the particles and markers drawn after them
  // take theirs from the bound texture: the sheet's, as on a textured frame,
  // not whichever an earlier frame left bound.
  glBindTexture(GL_TEXTURE_2D, currentTexture);
  glDisable(GL_TEXTURE_2D);
  glCullFace(GL_FRONT);
  for (int band = 0; band < STRETCH_BAND_COUNT; ++band) {
    applyMaterial(bandMaterial(band));
    glBegin(GL_QUADS);
    for (int q = 0; q < QUAD_COUNT; ++q)
      if (bandOf[q] == band) drawQuadCorners(q);
    glEnd();
  }
  glEnable(GL_TEXTURE_2D);
}
