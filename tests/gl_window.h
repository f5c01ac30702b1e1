#pragma once

#include "render/opengl.h"

#include <cstdint>
#include <vector>

// A real GLUT window on the test run's X server (Xvfb, Mesa's llvmpipe),
// with the program's display mode, and read-back of what was drawn.

struct Rgb {
  int r;
  int g;
  int b;
  int sum() const { return r + g + b; }
};

// Opens the window once per process and makes it current.
void openTestWindow(int width, int height);

// What the window shows on the X server after display() swapped.
class Frame {
 public:
  static Frame capture();
  Rgb at(int x, int y) const;  // GL window coordinates: origin bottom left
  int width() const { return width_; }
  int height() const { return height_; }
  // Pixels brighter than a threshold in [x0, x1) × [y0, y1).
  int litCount(int x0, int y0, int x1, int y1, int threshold = 30) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> pixels_;
};

// Fills texture name `slot` with one colour, size × size.
void uploadSolidTexture(int slot, uint8_t r, uint8_t g, uint8_t b, int size = 8);
