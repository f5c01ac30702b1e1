#pragma once

// OpenGL, GLU and GLUT, included the way each desktop ships them. Every file
// that draws includes this header rather than the system's own.
#if defined(__EMSCRIPTEN__)
// The browser: WebGL 2 with the fixed-function subset the program calls.
#include "web/gl/opengl.h"
#elif defined(__APPLE__)
// The fixed-function API is deprecated on macOS, not removed: keep the build quiet.
#define GL_SILENCE_DEPRECATION
#include <GLUT/glut.h>  // brings OpenGL/gl.h and OpenGL/glu.h
#else
// freeglut, under the one header name that every packaging of it installs:
// brings GL/gl.h and GL/glu.h, and windows.h where they need it. A static
// freeglut on Windows needs FREEGLUT_STATIC, which its package file defines.
#include <GL/freeglut.h>
#endif
