#pragma once

// The fixed-function state the GL calls change and a draw reads: the matrix
// stacks, the current vertex attributes, the lights and material, the
// capabilities, and the WebGL state kept here too so that a restored context
// gets it back. One instance, as a GL context has one.
#include <vector>

#include "web/gl/lighting.h"
#include "web/gl/opengl.h"
#include "web/gl/transform_matrix.h"

struct FixedFunctionVertex {
  float position[3];
  float normal[3];
  float texCoord[2];
};

struct FixedFunctionState {
  std::vector<TransformMatrix> modelview{TransformMatrix::identity()};
  std::vector<TransformMatrix> projection{TransformMatrix::identity()};
  GLenum matrixMode = GL_MODELVIEW;

  float normal[3] = {0, 0, 1};
  float texCoord[2] = {0, 0};
  float color[4] = {1, 1, 1, 1};
  float pointSize = 1;
  float lineWidth = 1;

  bool lighting = false;
  bool texturing = false;
  bool depthTest = false;
  bool cullFace = false;
  GLenum cullFaceMode = GL_BACK;
  float clearColor[4] = {0, 0, 0, 0};
  GLint viewport[4] = {0, 0, 0, 0};
  GLint unpackAlignment = 4;

  LightingState lights;
  GLuint boundTexture = 0;  // the program's name for it

  // Vertices gathered between glBegin and glEnd.
  GLenum primitive = 0;
  bool inBatch = false;
  std::vector<FixedFunctionVertex> batch;

  TransformMatrix& currentMatrix() {
    return matrixMode == GL_PROJECTION ? projection.back() : modelview.back();
  }
  std::vector<TransformMatrix>& currentStack() {
    return matrixMode == GL_PROJECTION ? projection : modelview;
  }
};

extern FixedFunctionState glState;
