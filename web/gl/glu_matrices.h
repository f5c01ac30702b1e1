#pragma once

// The matrices gluLookAt and gluPerspective multiply onto the current
// matrix, computed as the desktop's GLU computes them: the camera frame in
// float, the projection in double.

// gluLookAt is glMultMatrixf(rotation), then glTranslated(-eye).
struct LookAt {
  float rotation[16];
  double eye[3];
};
LookAt lookAtMatrix(const double eye[3], const double centre[3], const double up[3]);

// The column-major projection for glMultMatrixd; false where GLU leaves the
// matrix as it is (a zero depth range, field of view or aspect ratio).
bool perspectiveMatrix(double fovy, double aspect, double zNear, double zFar, double m[16]);
