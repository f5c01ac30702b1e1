#pragma once

// Vertices drawn as one batch with the current matrices, lights, material and
// texture: what glEnd draws, and what GLUT's shapes draw with normals of their
// own (leaving the current normal as it was, as desktop GLUT's vertex arrays do).
#include "web/gl/fixed_function_state.h"

// After the WebGL 2 context exists; false if the shaders do not build.
bool createFixedFunctionResources();
// After a lost context comes back: every WebGL object is made again, the
// textures uploaded anew from the layer's copies, the state applied again.
void restoreFixedFunctionResources();

void drawVertices(unsigned mode, const FixedFunctionVertex* vertices, int count);
