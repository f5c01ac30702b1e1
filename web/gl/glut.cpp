// The GLUT subset the program calls, for a page: the window is the page's
// canvas, the main loop is the page's animation frames, and key presses come
// from the page's key events. The page (page.js) calls the vantrelle*
// functions below.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>

#include "web/gl/opengl.h"
#include "web/gl/vertex_batch.h"

namespace {

void (*displayCallback)() = nullptr;
void (*reshapeCallback)(int, int) = nullptr;
void (*keyboardCallback)(unsigned char, int, int) = nullptr;
void (*idleCallback)() = nullptr;
void (*mouseCallback)(int, int, int, int) = nullptr;
void (*motionCallback)(int, int) = nullptr;

bool redisplayPending = false;

// The wire cube's corners and its faces, each a loop of four corners with
// the face's normal, drawn in this order as desktop GLUT draws them.
constexpr float CUBE_CORNERS[8][3] = {
    {.5f, .5f, .5f},   {-.5f, .5f, .5f}, {-.5f, -.5f, .5f}, {.5f, -.5f, .5f},
    {.5f, -.5f, -.5f}, {.5f, .5f, -.5f}, {-.5f, .5f, -.5f}, {-.5f, -.5f, -.5f},
};
constexpr int CUBE_FACES[6][4] = {{0, 1, 2, 3}, {0, 3, 4, 5}, {0, 5, 6, 1},
                                  {1, 6, 7, 2}, {7, 4, 3, 2}, {4, 7, 6, 5}};
constexpr float CUBE_NORMALS[6][3] = {{0, 0, 1},  {1, 0, 0},  {0, 1, 0},
                                      {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}};

}  // namespace

extern "C" {

void glutInit(int*, char**) {}
void glutInitDisplayMode(unsigned int) {}
void glutInitWindowSize(int, int) {}
void glutInitWindowPosition(int, int) {}

// The page's canvas, with a depth buffer and no multisampling, as the
// desktop's double-buffered RGB window with depth.
int glutCreateWindow(const char* title) {
  emscripten_set_window_title(title);
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.majorVersion = 2;
  attributes.minorVersion = 0;
  attributes.alpha = false;
  attributes.depth = true;
  attributes.stencil = false;
  attributes.antialias = false;
  attributes.preserveDrawingBuffer = false;
  const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context =
      emscripten_webgl_create_context("#canvas", &attributes);
  if (context <= 0 || emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS ||
      !createFixedFunctionResources()) {
    std::fprintf(stderr, "vantrelle: no WebGL 2 context for the canvas\n");
    return 0;
  }
  return 1;
}

void glutDisplayFunc(void (*callback)()) { displayCallback = callback; }
void glutReshapeFunc(void (*callback)(int, int)) { reshapeCallback = callback; }
void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) { keyboardCallback = callback; }
void glutIdleFunc(void (*callback)()) { idleCallback = callback; }
void glutMouseFunc(void (*callback)(int, int, int, int)) { mouseCallback = callback; }
void glutMotionFunc(void (*callback)(int, int)) { motionCallback = callback; }

// The canvas already fills the page; the page offers the browser's own full
// screen as a button, since a page may only ask for it on a user's gesture.
void glutFullScreen() {}

// The page's key bar is the menu of the commands: a right button on the
// canvas opens the browser's own menu, as on any page.
int glutCreateMenu(void (*)(int)) { return 1; }
void glutAddMenuEntry(const char*, int) {}
void glutAttachMenu(int) {}
void glutAddSubMenu(const char*, int) {}

// The page's pointer tools say what a modifier would: its cut tool is the
// desktop's Shift.
int glutGetModifiers() { return 0; }

// Leaves main without ending the program: from here on the page calls
// vantrelleFrame once per animation frame.
void glutMainLoop() { emscripten_exit_with_live_runtime(); }

void glutPostRedisplay() { redisplayPending = true; }

// The browser shows the frame when the animation frame's callback returns.
void glutSwapBuffers() {}

void glutWireCube(GLdouble size) {
  const float scale = static_cast<float>(size);
  for (int face = 0; face < 6; ++face) {
    FixedFunctionVertex loop[4];
    for (int k = 0; k < 4; ++k) {
      const float* corner = CUBE_CORNERS[CUBE_FACES[face][k]];
      loop[k] = {{scale * corner[0], scale * corner[1], scale * corner[2]},
                 {CUBE_NORMALS[face][0], CUBE_NORMALS[face][1], CUBE_NORMALS[face][2]},
                 {0, 0}};
    }
    drawVertices(GL_LINE_LOOP, loop, 4);
  }
}

// The page's side of the main loop.

// One animation frame: one idle call, then the redraw if one was asked for.
EMSCRIPTEN_KEEPALIVE void vantrelleFrame() {
  if (idleCallback != nullptr) idleCallback();
  if (redisplayPending && displayCallback != nullptr) {
    redisplayPending = false;
    displayCallback();
  }
}

// The canvas's new size in pixels; also its first size, before the first frame.
EMSCRIPTEN_KEEPALIVE void vantrelleReshape(int width, int height) {
  if (reshapeCallback != nullptr) reshapeCallback(width, height);
}

// One typed character; the mouse position is not tracked.
EMSCRIPTEN_KEEPALIVE void vantrelleKey(int character) {
  if (keyboardCallback != nullptr) keyboardCallback(static_cast<unsigned char>(character), 0, 0);
}

// The pointer (mouse or finger) on the canvas, in canvas pixels from its top
// left: pressed or let go (also when it leaves the canvas or the system
// cancels it), and moved while pressed.
EMSCRIPTEN_KEEPALIVE void vantrelleMouse(int button, int state, int x, int y) {
  if (mouseCallback != nullptr) mouseCallback(button, state, x, y);
}
EMSCRIPTEN_KEEPALIVE void vantrelleMotion(int x, int y) {
  if (motionCallback != nullptr) motionCallback(x, y);
}

EMSCRIPTEN_KEEPALIVE void vantrelleContextRestored() {
  restoreFixedFunctionResources();
  redisplayPending = true;
}

}  // extern "C"
