#include "web/gl/context_state.h"

#include <emscripten/emscripten.h>
#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include "web/gl/fixed_function_state.h"

namespace {

void applyCapability(GLenum capability, bool on) {
  if (on)
    emscripten_glEnable(capability);
  else
    emscripten_glDisable(capability);
}

// The switches only the layer has.
bool* capabilitySwitch(GLenum capability) {
  if (capability == GL_LIGHTING) return &glState.lighting;
  if (capability == GL_TEXTURE_2D) return &glState.texturing;
  if (capability >= GL_LIGHT0 && capability < GL_LIGHT0 + LIGHT_UNITS)
    return &glState.lights.lights[capability - GL_LIGHT0].enabled;
  return nullptr;
}

// A window's rows are stored from the top, a WebGL framebuffer's from the
// bottom, and the rasteriser's fill and interpolation work on stored rows: a
// picture drawn the other way up differs at some pixels. With the clip
// origin at the upper left the frame is stored as a window's, and the page
// shows the canvas turned over (its class rows-from-top). False where the
// browser has no clip control.
EM_JS(bool, clipOriginAtTop, (), {
  Module.canvas.classList.add('rows-from-top');
  var clipControl = GLctx.getExtension('EXT_clip_control');
  if (!clipControl) return false;
  clipControl.clipControlEXT(clipControl.UPPER_LEFT_EXT, clipControl.NEGATIVE_ONE_TO_ONE_EXT);
  return true;
});

}  // namespace

void setCapability(GLenum capability, bool on) {
  if (bool* layerSwitch = capabilitySwitch(capability)) {
    *layerSwitch = on;
    return;
  }
  if (capability == GL_DEPTH_TEST) glState.depthTest = on;
  if (capability == GL_CULL_FACE) glState.cullFace = on;
  applyCapability(capability, on);
}

bool applyContextState() {
  // Without clip control the shader flips the rows (it negates clip-space y,
  // the same negation of an exact value the upper-left origin applies), and
  // the winding that is front flips with it.
  const bool flipRows = !clipOriginAtTop();
  emscripten_glFrontFace(flipRows ? GL_CW : GL_CCW);
  applyCapability(GL_DEPTH_TEST, glState.depthTest);
  applyCapability(GL_CULL_FACE, glState.cullFace);
  emscripten_glCullFace(glState.cullFaceMode);
  const float* clear = glState.clearColor;
  emscripten_glClearColor(clear[0], clear[1], clear[2], clear[3]);
  const GLint* viewport = glState.viewport;
  emscripten_glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
  emscripten_glLineWidth(glState.lineWidth);
  emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, glState.unpackAlignment);
  return flipRows;
}
