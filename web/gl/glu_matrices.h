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

// gluProject and gluUnProject: object and window coordinates through the
// column-major modelview and projection and the viewport, in double; false
// where the point has no image (w = 0) or the matrices no inverse.
bool projectPoint(const double object[3], const double modelview[16], const double projection[16],
                  const int viewport[4], double window[3]);
bool unprojectPoint(const double window[3], const double modelview[16], const double projection[16],
                    const int viewport[4], double object[3]);
