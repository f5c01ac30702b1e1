#pragma once

// The stretch layer: each quad coloured by how far its springs are
// stretched, in bands of a perceptual scale (dark violet for a quad
// squeezed together, through blue and green, to yellow for one pulled out by
// half its length and more), lit by the scene's lights instead of textured.

struct StretchBand {
  double below;             // the band holds stretches under this (the last, all the rest)
  unsigned char colour[3];  // sRGB, as the legend shows it
  const char* label;        // the legend's words
};
constexpr int STRETCH_BAND_COUNT = 8;
extern const StretchBand stretchBands[STRETCH_BAND_COUNT];

// The band of a quad whose stretch is this (a NaN, in the last).
int stretchBand(double stretch);

// The quads of the global cloth that are whole, one batch per band.
void drawStretchQuads();
