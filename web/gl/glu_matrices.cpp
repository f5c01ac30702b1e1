#include "web/gl/glu_matrices.h"

#include <cmath>

namespace {

// The square root is taken in double and rounded to float.
void normalize(float v[3]) {
  const float r =
      static_cast<float>(std::sqrt(static_cast<double>(v[0] * v[0] + v[1] * v[1] + v[2] * v[2])));
  if (r == 0.0f) return;
  v[0] /= r;
  v[1] /= r;
  v[2] /= r;
}

void cross(const float a[3], const float b[3], float result[3]) {
  result[0] = a[1] * b[2] - a[2] * b[1];
  result[1] = a[2] * b[0] - a[0] * b[2];
  result[2] = a[0] * b[1] - a[1] * b[0];
}

constexpr double PI = 3.14159265358979323846;

}  // namespace

LookAt lookAtMatrix(const double eye[3], const double centre[3], const double up[3]) {
  float forward[3], side[3], upward[3];
  for (int k = 0; k < 3; ++k) {
    forward[k] = static_cast<float>(centre[k] - eye[k]);
    upward[k] = static_cast<float>(up[k]);
  }
  normalize(forward);
  cross(forward, upward, side);
  normalize(side);
  cross(side, forward, upward);
  // Column major: side, up and -forward are the rows of the rotation.
  LookAt result = {{side[0], upward[0], -forward[0], 0, side[1], upward[1], -forward[1], 0, side[2],
                    upward[2], -forward[2], 0, 0, 0, 0, 1},
                   {eye[0], eye[1], eye[2]}};
  return result;
}

bool perspectiveMatrix(double fovy, double aspect, double zNear, double zFar, double m[16]) {
  const double radians = fovy / 2 * PI / 180;
  const double deltaZ = zFar - zNear;
  const double sine = std::sin(radians);
  if (deltaZ == 0 || sine == 0 || aspect == 0) return false;
  const double cotangent = std::cos(radians) / sine;
  for (int i = 0; i < 16; ++i) m[i] = i % 5 == 0 ? 1 : 0;
  m[0] = cotangent / aspect;
  m[5] = cotangent;
  m[10] = -(zFar + zNear) / deltaZ;
  m[11] = -1;
  m[14] = -2 * zNear * zFar / deltaZ;
  m[15] = 0;
  return true;
}
