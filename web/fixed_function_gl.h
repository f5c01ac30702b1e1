#pragma once

// What the GLUT layer needs of the fixed-function layer beyond the GL calls
// themselves: its WebGL resources, and vertices drawn with normals of their
// own, which leave the current normal as it was (desktop GLUT draws its
// shapes from vertex arrays).

// After the WebGL 2 context exists; false if the shaders do not build.
bool createFixedFunctionResources();
// After a lost context comes back: every WebGL object is made again, the
// textures uploaded anew from the layer's copies, the state applied again.
void restoreFixedFunctionResources();

struct FixedFunctionVertex {
  float position[3];
  float normal[3];
  float texCoord[2];
};
// Draws with the current matrices, lights, material and texture.
void drawVertices(unsigned mode, const FixedFunctionVertex* vertices, int count);
