#include "tests/gl_window.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xutil.h>

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <algorithm>

#include <cstring>
#include "render/glut_window.h"

namespace {

bool opened = false;
bool exposed = false;

// GLUT asks for a first redraw once the window is mapped and visible.
void noteExposed() { exposed = true; }

// Keeps the GL driver loaded until the process ends. The driver holds on to
// some allocations for the life of the process; if it were unloaded first,
// the leak checker could no longer tell that they are the driver's own.
int pinDriver(dl_phdr_info* info, size_t, void*) {
  const char* name = info->dlpi_name;
  if (name != nullptr && (std::strstr(name, "_dri.so") || std::strstr(name, "libgallium")))
    dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  return 0;
}

}  // namespace

void openTestWindow(int width, int height) {
  if (opened) return;
  opened = true;
  int argc = 1;
  char name[] = "gl_test";
  char* argv[] = {name, nullptr};
  openGlutWindow(argc, argv, "gl_test", width, height, 0, 0);
  glutDisplayFunc(noteExposed);
  dl_iterate_phdr(pinDriver, nullptr);
  for (int i = 0; i < 500 && !exposed; ++i) {
    glutMainLoopEvent();
    usleep(10000);
  }
}

Frame Frame::capture() {
  // Read what reached the window on the X server, as a person would see it.
  glFinish();
  Display* display = glXGetCurrentDisplay();
  const GLXDrawable window = glXGetCurrentDrawable();
  XWindowAttributes attributes;
  XGetWindowAttributes(display, window, &attributes);
  Frame frame;
  frame.width_ = attributes.width;
  frame.height_ = attributes.height;
  frame.pixels_.assign(static_cast<size_t>(frame.width_) * frame.height_ * 3, 0);
  XImage* image = XGetImage(display, window, 0, 0, frame.width_, frame.height_, AllPlanes, ZPixmap);
  if (image == nullptr) return frame;
  for (int y = 0; y < frame.height_; ++y) {
    for (int x = 0; x < frame.width_; ++x) {
      const unsigned long value = XGetPixel(image, x, frame.height_ - 1 - y);
      uint8_t* p = &frame.pixels_[(static_cast<size_t>(y) * frame.width_ + x) * 3];
      p[0] = (value & image->red_mask) >> __builtin_ctzl(image->red_mask);
      p[1] = (value & image->green_mask) >> __builtin_ctzl(image->green_mask);
      p[2] = (value & image->blue_mask) >> __builtin_ctzl(image->blue_mask);
    }
  }
  XDestroyImage(image);
  return frame;
}

Rgb Frame::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return {0, 0, 0};
  const uint8_t* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 3];
  return {p[0], p[1], p[2]};
}

int Frame::litCount(int x0, int y0, int x1, int y1, int threshold) const {
  int count = 0;
  for (int y = std::max(0, y0); y < std::min(height_, y1); ++y)
    for (int x = std::max(0, x0); x < std::min(width_, x1); ++x)
      if (at(x, y).sum() > threshold) ++count;
  return count;
}

void uploadSolidTexture(int slot, uint8_t r, uint8_t g, uint8_t b, int size) {
  std::vector<uint8_t> texels(static_cast<size_t>(size) * size * 3);
  for (size_t i = 0; i < texels.size(); i += 3) {
    texels[i] = r;
    texels[i + 1] = g;
    texels[i + 2] = b;
  }
  glBindTexture(GL_TEXTURE_2D, slot);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, 3, size, size, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
}
