#include "tools/recorder/offscreen_framebuffer.h"

#include <algorithm>
#include <cstring>

#include "render/opengl.h"

namespace {

// Framebuffer objects are OpenGL 3.0 (and ARB_framebuffer_object); their
// entry points are looked up at run time, as the base headers may not
// declare them.
constexpr GLenum FRAMEBUFFER = 0x8D40;
constexpr GLenum RENDERBUFFER = 0x8D41;
constexpr GLenum COLOR_ATTACHMENT0 = 0x8CE0;
constexpr GLenum DEPTH_ATTACHMENT = 0x8D00;
constexpr GLenum DEPTH_STENCIL_ATTACHMENT = 0x821A;
constexpr GLenum FRAMEBUFFER_COMPLETE = 0x8CD5;
constexpr GLenum MAX_RENDERBUFFER_SIZE = 0x84E8;
constexpr GLenum RGBA8 = 0x8058;
constexpr GLenum DEPTH_COMPONENT16 = 0x81A5;
constexpr GLenum DEPTH_COMPONENT24 = 0x81A6;
constexpr GLenum DEPTH_COMPONENT32 = 0x81A7;
constexpr GLenum DEPTH24_STENCIL8 = 0x88F0;
constexpr GLenum UPPER_LEFT = 0x8CA2;
constexpr GLenum NEGATIVE_ONE_TO_ONE = 0x935E;

struct FramebufferFunctions {
  void(APIENTRY* genFramebuffers)(GLsizei, GLuint*);
  void(APIENTRY* deleteFramebuffers)(GLsizei, const GLuint*);
  void(APIENTRY* bindFramebuffer)(GLenum, GLuint);
  void(APIENTRY* genRenderbuffers)(GLsizei, GLuint*);
  void(APIENTRY* deleteRenderbuffers)(GLsizei, const GLuint*);
  void(APIENTRY* bindRenderbuffer)(GLenum, GLuint);
  void(APIENTRY* renderbufferStorage)(GLenum, GLenum, GLsizei, GLsizei);
  void(APIENTRY* framebufferRenderbuffer)(GLenum, GLenum, GLenum, GLuint);
  GLenum(APIENTRY* checkFramebufferStatus)(GLenum);
  void(APIENTRY* clipControl)(GLenum, GLenum);

  bool load() {
    return find(genFramebuffers, "glGenFramebuffers") &&
           find(deleteFramebuffers, "glDeleteFramebuffers") &&
           find(bindFramebuffer, "glBindFramebuffer") &&
           find(genRenderbuffers, "glGenRenderbuffers") &&
           find(deleteRenderbuffers, "glDeleteRenderbuffers") &&
           find(bindRenderbuffer, "glBindRenderbuffer") &&
           find(renderbufferStorage, "glRenderbufferStorage") &&
           find(framebufferRenderbuffer, "glFramebufferRenderbuffer") &&
           find(checkFramebufferStatus, "glCheckFramebufferStatus") &&
           find(clipControl, "glClipControl");
  }

 private:
  template <typename Function>
  static bool find(Function& function, const char* name) {
    function = reinterpret_cast<Function>(glutGetProcAddress(name));
    return function != nullptr;
  }
};

FramebufferFunctions gl;

// The depth format of the window's framebuffer, for the same depth tests.
GLenum windowDepthFormat(GLenum& attachment) {
  GLint depthBits = 0;
  GLint stencilBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
  attachment = DEPTH_ATTACHMENT;
  if (depthBits <= 16) return DEPTH_COMPONENT16;
  if (depthBits > 24) return DEPTH_COMPONENT32;
  if (stencilBits > 0) {
    attachment = DEPTH_STENCIL_ATTACHMENT;
    return DEPTH24_STENCIL8;
  }
  return DEPTH_COMPONENT24;
}

}  // namespace

OffscreenFramebuffer::OffscreenFramebuffer(int width, int height) : width_(width), height_(height) {
  if (!gl.load()) {
    error_ = "this OpenGL has no framebuffer objects and clip control (OpenGL 4.5)";
    return;
  }
  GLint maxSide = 0;
  GLint maxViewport[2] = {0, 0};
  glGetIntegerv(MAX_RENDERBUFFER_SIZE, &maxSide);
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, maxViewport);
  const int limitWidth = std::min(maxSide, maxViewport[0]);
  const int limitHeight = std::min(maxSide, maxViewport[1]);
  if (width > limitWidth || height > limitHeight) {
    error_ = "--size " + std::to_string(width) + "x" + std::to_string(height) +
             " is beyond what this OpenGL renders (at most " + std::to_string(limitWidth) + "x" +
             std::to_string(limitHeight) + ")";
    return;
  }
  GLenum depthAttachment = DEPTH_ATTACHMENT;
  const GLenum depthFormat = windowDepthFormat(depthAttachment);

  gl.genFramebuffers(1, &framebuffer_);
  gl.bindFramebuffer(FRAMEBUFFER, framebuffer_);
  gl.genRenderbuffers(2, renderbuffers_);
  gl.bindRenderbuffer(RENDERBUFFER, renderbuffers_[0]);
  gl.renderbufferStorage(RENDERBUFFER, RGBA8, width, height);
  gl.framebufferRenderbuffer(FRAMEBUFFER, COLOR_ATTACHMENT0, RENDERBUFFER, renderbuffers_[0]);
  gl.bindRenderbuffer(RENDERBUFFER, renderbuffers_[1]);
  gl.renderbufferStorage(RENDERBUFFER, depthFormat, width, height);
  gl.framebufferRenderbuffer(FRAMEBUFFER, depthAttachment, RENDERBUFFER, renderbuffers_[1]);
  // A window's rows are stored from the top, a framebuffer object's from
  // the bottom; the rasteriser's fill rules work on stored rows, so a
  // picture drawn the other way up differs at some edges. Drawn with the
  // clip origin at the upper left, the frame is stored as the window's is.
  gl.clipControl(UPPER_LEFT, NEGATIVE_ONE_TO_ONE);
  if (gl.checkFramebufferStatus(FRAMEBUFFER) != FRAMEBUFFER_COMPLETE || glGetError() != GL_NO_ERROR)
    error_ = "OpenGL could not make a " + std::to_string(width) + "x" + std::to_string(height) +
             " framebuffer (out of memory?)";
}

OffscreenFramebuffer::~OffscreenFramebuffer() {
  if (framebuffer_ == 0) return;
  gl.bindFramebuffer(FRAMEBUFFER, 0);
  gl.deleteFramebuffers(1, &framebuffer_);
  gl.deleteRenderbuffers(2, renderbuffers_);
}

std::vector<uint8_t> OffscreenFramebuffer::readPixels() const {
  // Drawn with the upper-left clip origin, the first row read is the top one.
  std::vector<uint8_t> rgb(static_cast<size_t>(width_) * 3 * height_);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
}
