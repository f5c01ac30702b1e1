#pragma once

// A framebuffer object the frames are drawn into and read back from, so that
// a frame does not depend on where the window sits, whether it is covered or
// how large the screen is. Its depth buffer has as many bits as the window's,
// so depth tests come out as they do on the screen.

#include <cstdint>
#include <string>
#include <vector>

class OffscreenFramebuffer {
 public:
  // Needs a current GL context. On failure, ready() is false and error()
  // says why.
  OffscreenFramebuffer(int width, int height);
  ~OffscreenFramebuffer();
  OffscreenFramebuffer(const OffscreenFramebuffer&) = delete;
  OffscreenFramebuffer& operator=(const OffscreenFramebuffer&) = delete;

  bool ready() const { return error_.empty(); }
  const std::string& error() const { return error_; }

  // The last frame drawn, as RGB rows from the top row down.
  std::vector<uint8_t> readPixels() const;

 private:
  int width_;
  int height_;
  unsigned framebuffer_ = 0;
  unsigned renderbuffers_[2] = {0, 0};
  std::string error_;
};
