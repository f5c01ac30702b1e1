// gluLookAt and gluPerspective, handing the matrix stack what the desktop's
// GLU hands it, so the same floats reach the stack; gluProject and
// gluUnProject for picking.
#include "web/gl/glu_matrices.h"
#include "web/gl/opengl.h"

namespace {

// GLU's way of giving a point back: through three pointers, untouched on failure.
GLint handBack(bool done, const double point[3], GLdouble* x, GLdouble* y, GLdouble* z) {
  if (!done) return GL_FALSE;
  *x = point[0];
  *y = point[1];
  *z = point[2];
  return GL_TRUE;
}

}  // namespace

extern "C" {

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
               GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ) {
  const double eye[3] = {eyeX, eyeY, eyeZ};
  const double centre[3] = {centerX, centerY, centerZ};
  const double up[3] = {upX, upY, upZ};
  const LookAt lookAt = lookAtMatrix(eye, centre, up);
  glMultMatrixf(lookAt.rotation);
  glTranslated(-lookAt.eye[0], -lookAt.eye[1], -lookAt.eye[2]);
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  GLdouble m[16];
  if (perspectiveMatrix(fovy, aspect, zNear, zFar, m)) glMultMatrixd(m);
}

GLint gluProject(GLdouble objX, GLdouble objY, GLdouble objZ, const GLdouble* model,
                 const GLdouble* proj, const GLint* view, GLdouble* winX, GLdouble* winY,
                 GLdouble* winZ) {
  const double object[3] = {objX, objY, objZ};
  double window[3];
  return handBack(projectPoint(object, model, proj, view, window), window, winX, winY, winZ);
}

GLint gluUnProject(GLdouble winX, GLdouble winY, GLdouble winZ, const GLdouble* model,
                   const GLdouble* proj, const GLint* view, GLdouble* objX, GLdouble* objY,
                   GLdouble* objZ) {
  const double window[3] = {winX, winY, winZ};
  double object[3];
  return handBack(unprojectPoint(window, model, proj, view, object), object, objX, objY, objZ);
}

}  // extern "C"
