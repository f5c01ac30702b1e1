#pragma once

// The test run's X server as a person at it would use it: real key presses
// (XTEST, through xdotool), the screen as it shows, and a window's picture.

#include <cstdint>
#include <string>
#include <vector>

// Presses and releases one key, named by its X keysym ("a", "minus", "Q").
void pressKey(const std::string& keysym);

// Waits for a top-level window with exactly this title and puts the pointer
// over it, so that key presses reach it.
bool waitForWindow(const std::string& title, double seconds = 20);

// The whole screen, pixel by pixel as 0xRRGGBB, rows from the top.
struct ScreenImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
ScreenImage captureScreen();

// The picture a window shows: where it sits on the screen and the screen's
// pixels. Parts of the window off the screen are not seen.
struct WindowPicture {
  int left = 0;  // the window's top-left corner on the screen; may be negative
  int top = 0;
  int width = 0;
  int height = 0;
  ScreenImage screen;
  bool found() const { return width > 0; }
  bool visible(int x, int y) const;  // window coordinates, from the top left
  uint32_t at(int x, int y) const { return screen.at(left + x, top + y); }
};
WindowPicture captureWindow(const std::string& title);

// Compares two pictures of a window, pixel by pixel in window coordinates,
// where both show the pixel.
struct PictureComparison {
  long compared = 0;
  long differing = 0;
};
PictureComparison comparePictures(const WindowPicture& a, const WindowPicture& b);

// Pixels that are not black.
size_t litPixels(const ScreenImage& image);
