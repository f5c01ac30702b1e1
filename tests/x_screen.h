#pragma once

// The test run's X server as a person at it would use it: real key presses
// (XTEST, through xdotool), the screen as it shows, and a window's picture.

#include <cstdint>
#include <string>
#include <vector>

// Presses and releases one key, named by its X keysym ("a", "minus", "Q").
void pressKey(const std::string& keysym);
// The pointer to a point of the screen; the left button down or up there.
void moveMouse(int x, int y);
void leftButton(bool down);
// A key pressed while a mouse button is held: pressKey would let go of the
// button first, as it lets go of every held modifier.
void pressKeyDuringDrag(const std::string& keysym);
// Holds a key (a modifier, say) down, or lets it up.
void holdKey(const std::string& keysym, bool down);

// Waits for a window with exactly this title and gives it the keyboard.
bool waitForWindow(const std::string& title, double seconds = 20);

// Waits until the window with this title covers the whole screen from (0, 0),
// as full screen on a desktop does.
bool waitForFullScreen(const std::string& title, double seconds = 20);

// The client window with exactly this title, wherever the window manager
// framed it; 0 if there is none.
typedef struct _XDisplay Display;  // Xlib's
unsigned long findWindowByTitle(Display* display, const std::string& title);

// The whole screen, pixel by pixel as 0xRRGGBB, rows from the top.
struct ScreenImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
ScreenImage captureScreen();

// The picture a window shows: where it sits on the screen and the screen's
// pixels. Parts of the window off the screen are not seen: they count as
// differing wherever pictures are compared.
struct WindowPicture {
  int left = 0;  // the window's top-left corner on the screen; may be negative
  int top = 0;
  int width = 0;
  int height = 0;
  ScreenImage screen;
  bool found() const { return width > 0; }
  bool coversScreen() const {
    return left == 0 && top == 0 && width == screen.width && height == screen.height;
  }
  bool visible(int x, int y) const;  // window coordinates, from the top left
  uint32_t at(int x, int y) const { return screen.at(left + x, top + y); }
};
WindowPicture captureWindow(const std::string& title);

// Compares two whole pictures of a window, pixel by pixel in window
// coordinates. Pictures of different sizes differ everywhere.
struct PictureComparison {
  long compared = 0;
  long differing = 0;
};
PictureComparison comparePictures(const WindowPicture& a, const WindowPicture& b);

// Pixels that are not black.
size_t litPixels(const ScreenImage& image);
