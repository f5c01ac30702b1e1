// gluLookAt and gluPerspective, handing the matrix stack what the desktop's
// GLU hands it, so the same floats reach the stack.
#include "web/gl/glu_matrices.h"
#include "web/gl/opengl.h"

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

}  // extern "C"
