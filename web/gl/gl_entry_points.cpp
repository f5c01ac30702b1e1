// The gl* functions the program calls, on the layer's state: each records
// what it sets, and glEnd draws what glBegin began. Those that WebGL also has
// pass the value on to WebGL as well.
#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include <cstdio>
#include <cstring>

#include "web/gl/context_state.h"
#include "web/gl/fixed_function_state.h"
#include "web/gl/opengl.h"
#include "web/gl/texture_store.h"
#include "web/gl/vertex_batch.h"

namespace {

// The term a glLightfv or glMaterialfv parameter names, if it is one.
float* colorTerm(ColorTerms& terms, GLenum pname) {
  switch (pname) {
    case GL_AMBIENT:
      return terms.ambient;
    case GL_DIFFUSE:
      return terms.diffuse;
    case GL_SPECULAR:
      return terms.specular;
  }
  return nullptr;
}

}  // namespace

extern "C" {

// Immediate mode: vertices carry the current normal and texture coordinate.
void glBegin(GLenum mode) {
  glState.primitive = mode;
  glState.inBatch = true;
  glState.batch.clear();
}

void glEnd() {
  glState.inBatch = false;
  drawVertices(glState.primitive, glState.batch.data(), static_cast<int>(glState.batch.size()));
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (!glState.inBatch) return;
  const float* n = glState.normal;
  glState.batch.push_back(
      {{x, y, z}, {n[0], n[1], n[2]}, {glState.texCoord[0], glState.texCoord[1]}});
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  glState.normal[0] = x;
  glState.normal[1] = y;
  glState.normal[2] = z;
}

void glTexCoord2f(GLfloat s, GLfloat t) {
  glState.texCoord[0] = s;
  glState.texCoord[1] = t;
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue) {
  const float color[4] = {red, green, blue, 1};
  std::memcpy(glState.color, color, sizeof color);
}

void glPointSize(GLfloat size) { glState.pointSize = size; }

void glLineWidth(GLfloat width) {
  glState.lineWidth = width;
  emscripten_glLineWidth(width);
}

// Matrices.
void glMatrixMode(GLenum mode) { glState.matrixMode = mode; }
void glLoadIdentity() { glState.currentMatrix() = TransformMatrix::identity(); }
void glPushMatrix() { glState.currentStack().push_back(glState.currentMatrix()); }
void glPopMatrix() {
  if (glState.currentStack().size() > 1) glState.currentStack().pop_back();
}
void glMultMatrixf(const GLfloat* m) { glState.currentMatrix().multiply(m); }
void glMultMatrixd(const GLdouble* m) {
  float single[16];
  for (int i = 0; i < 16; ++i) single[i] = static_cast<float>(m[i]);
  glState.currentMatrix().multiply(single);
}
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  if (angle != 0.0f) glState.currentMatrix().rotate(angle, x, y, z);
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { glState.currentMatrix().translate(x, y, z); }
void glGetDoublev(GLenum pname, GLdouble* params) {
  const std::vector<TransformMatrix>* stack = pname == GL_MODELVIEW_MATRIX    ? &glState.modelview
                                              : pname == GL_PROJECTION_MATRIX ? &glState.projection
                                                                              : nullptr;
  if (stack == nullptr) return;  // the one query the program makes is for its matrices
  for (int i = 0; i < 16; ++i) params[i] = stack->back().m[i];
}
void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
  glState.currentMatrix().translate(static_cast<float>(x), static_cast<float>(y),
                                    static_cast<float>(z));
}

// Lights and materials.
void glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
  const unsigned unit = light - GL_LIGHT0;
  if (unit >= LIGHT_UNITS) return;
  Light& l = glState.lights.lights[unit];
  if (pname == GL_POSITION)
    storeLightPosition(l, glState.modelview.back(), params);
  else if (float* term = colorTerm(l.colors, pname))
    std::memcpy(term, params, sizeof l.colors.ambient);
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
  if (face != GL_FRONT && face != GL_FRONT_AND_BACK) return;  // lighting is one-sided
  MaterialState& m = glState.lights.material;
  if (pname == GL_SHININESS)
    m.shininess = params[0];
  else if (float* term = colorTerm(m.colors, pname))
    std::memcpy(term, params, sizeof m.colors.ambient);
}

// Flat is the one shade model drawn: colours are passed flat.
void glShadeModel(GLenum mode) {
  if (mode != GL_FLAT) std::fprintf(stderr, "vantrelle: only flat shading is drawn\n");
}

void glEnable(GLenum capability) { setCapability(capability, true); }
void glDisable(GLenum capability) { setCapability(capability, false); }

void glCullFace(GLenum mode) {
  glState.cullFaceMode = mode;
  emscripten_glCullFace(mode);
}

void glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  const float color[4] = {red, green, blue, alpha};
  std::memcpy(glState.clearColor, color, sizeof color);
  emscripten_glClearColor(red, green, blue, alpha);
}

void glClear(GLbitfield mask) { emscripten_glClear(mask); }

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  const GLint viewport[4] = {x, y, width, height};
  std::memcpy(glState.viewport, viewport, sizeof viewport);
  emscripten_glViewport(x, y, width, height);
}

void glPixelStorei(GLenum pname, GLint value) {
  if (pname == GL_UNPACK_ALIGNMENT) glState.unpackAlignment = value;
  emscripten_glPixelStorei(pname, value);
}

// Textures, named by the program's own numbers.
void glBindTexture(GLenum, GLuint name) {
  glState.boundTexture = name;
  emscripten_glBindTexture(GL_TEXTURE_2D, storedTexture(name).object);
}

void glTexImage2D(GLenum, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint,
                  GLenum format, GLenum type, const void* pixels) {
  if (level != 0) return;  // no mipmaps are built
  storeImage(storedTexture(glState.boundTexture), internalFormat, width, height, format, type,
             pixels, glState.unpackAlignment);
}

void glTexParameteri(GLenum, GLenum pname, GLint value) {
  storeParameter(storedTexture(glState.boundTexture), pname, value);
}

void glTexParameterf(GLenum target, GLenum pname, GLfloat value) {
  glTexParameteri(target, pname, static_cast<GLint>(value));
}

}  // extern "C"
