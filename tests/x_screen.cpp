#include "tests/x_screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

bool run(const std::string& command) { return std::system(command.c_str()) == 0; }

// Runs f with a connection to the test run's display.
template <typename F>
void withDisplay(F f) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return;
  f(display);
  XCloseDisplay(display);
}

// Depth first below `parent`: a window manager puts each client window inside
// a frame of its own.
Window findBelow(Display* display, Window parent, const std::string& title, int depth) {
  Window root;
  Window up;
  Window* children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (!XQueryTree(display, parent, &root, &up, &children, &count)) return 0;
  for (unsigned i = 0; i < count && found == 0; ++i) {
    char* name = nullptr;
    if (XFetchName(display, children[i], &name) && name != nullptr) {
      if (title == name) found = children[i];
      XFree(name);
    }
    if (found == 0 && depth > 0) found = findBelow(display, children[i], title, depth - 1);
  }
  if (children != nullptr) XFree(children);
  return found;
}

bool sleepUntil(double seconds, const auto& done) {
  for (int waited = 0; waited < seconds * 20; ++waited) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return done();
}

}  // namespace

unsigned long findWindowByTitle(Display* display, const std::string& title) {
  return findBelow(display, DefaultRootWindow(display), title, 2);
}

void pressKey(const std::string& keysym) { run("xdotool key --clearmodifiers " + keysym); }

void moveMouse(int x, int y) {
  run("xdotool mousemove --sync " + std::to_string(x) + " " + std::to_string(y));
}

void pressKeyDuringDrag(const std::string& keysym) { run("xdotool key " + keysym); }

void holdKey(const std::string& keysym, bool down) {
  run(std::string("xdotool ") + (down ? "keydown " : "keyup ") + keysym);
}

void leftButton(bool down) {
  run(std::string("xdotool ") + (down ? "mousedown" : "mouseup") + " 1");
}

bool waitForWindow(const std::string& title, double seconds) {
  const int whole = static_cast<int>(seconds + 0.999);
  // The window manager focuses new windows; asking again costs nothing and
  // keeps a key press from reaching whatever had the keyboard before.
  return run("timeout " + std::to_string(whole) + " xdotool search --sync --onlyvisible --name '^" +
             title + "$' windowfocus --sync >/dev/null 2>&1");
}

bool waitForFullScreen(const std::string& title, double seconds) {
  return sleepUntil(seconds, [&] { return captureWindow(title).coversScreen(); });
}

ScreenImage captureScreen() {
  ScreenImage image;
  withDisplay([&](Display* display) {
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    XImage* x =
        XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (x == nullptr) return;
    image.width = attributes.width;
    image.height = attributes.height;
    image.pixels.reserve(static_cast<size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y)
      for (int col = 0; col < image.width; ++col)
        image.pixels.push_back(static_cast<uint32_t>(XGetPixel(x, col, y)) & 0xffffff);
    XDestroyImage(x);
  });
  return image;
}

bool WindowPicture::visible(int x, int y) const {
  const int sx = left + x;
  const int sy = top + y;
  return x >= 0 && y >= 0 && x < width && y < height && sx >= 0 && sy >= 0 && sx < screen.width &&
         sy < screen.height;
}

WindowPicture captureWindow(const std::string& title) {
  WindowPicture picture;
  withDisplay([&](Display* display) {
    const Window window = findWindowByTitle(display, title);
    if (window == 0) return;
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    Window child;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &picture.left,
                          &picture.top, &child);
    picture.width = attributes.width;
    picture.height = attributes.height;
  });
  if (picture.found()) picture.screen = captureScreen();
  return picture;
}

PictureComparison comparePictures(const WindowPicture& a, const WindowPicture& b) {
  PictureComparison result;
  result.compared = static_cast<long>(std::max(a.width, b.width)) * std::max(a.height, b.height);
  if (a.width != b.width || a.height != b.height) {
    result.differing = result.compared;
    return result;
  }
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x)
      result.differing += !a.visible(x, y) || !b.visible(x, y) || a.at(x, y) != b.at(x, y);
  return result;
}

size_t litPixels(const ScreenImage& image) {
  return static_cast<size_t>(
      std::count_if(image.pixels.begin(), image.pixels.end(), [](uint32_t p) { return p != 0; }));
}
