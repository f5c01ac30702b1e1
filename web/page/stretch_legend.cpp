// The stretch colours' bands, for the page's legend: the program's own
// table, so that the legend shows what the layer draws.
#include <emscripten/emscripten.h>

#include "render/stretch_colours.h"

extern "C" {

EMSCRIPTEN_KEEPALIVE int vantrelleStretchBandCount() { return STRETCH_BAND_COUNT; }

// 0xRRGGBB of band `band`, or 0 out of range.
EMSCRIPTEN_KEEPALIVE int vantrelleStretchBandColour(int band) {
  if (band < 0 || band >= STRETCH_BAND_COUNT) return 0;
  const unsigned char* c = stretchBands[band].colour;
  return c[0] << 16 | c[1] << 8 | c[2];
}

EMSCRIPTEN_KEEPALIVE const char* vantrelleStretchBandLabel(int band) {
  return band >= 0 && band < STRETCH_BAND_COUNT ? stretchBands[band].label : "";
}

}  // extern "C"
