#include "web/gl/glu_matrices.h"

#include <cmath>
#include <utility>

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

// The column-major matrix m times the column vector v.
void transform(const double m[16], const double v[4], double result[4]) {
  for (int row = 0; row < 4; ++row)
    result[row] = m[row] * v[0] + m[4 + row] * v[1] + m[8 + row] * v[2] + m[12 + row] * v[3];
}

// a × b, column major.
void multiply(const double a[16], const double b[16], double result[16]) {
  for (int column = 0; column < 4; ++column) transform(a, &b[4 * column], &result[4 * column]);
}

// Gauss-Jordan elimination with partial pivoting; false for a singular matrix.
bool invert(const double m[16], double inverse[16]) {
  double work[4][8];
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column) {
      work[row][column] = m[4 * column + row];
      work[row][column + 4] = row == column ? 1 : 0;
    }
  for (int pivot = 0; pivot < 4; ++pivot) {
    int best = pivot;
    for (int row = pivot + 1; row < 4; ++row)
      if (std::fabs(work[row][pivot]) > std::fabs(work[best][pivot])) best = row;
    if (work[best][pivot] == 0) return false;
    for (int k = 0; k < 8; ++k) std::swap(work[pivot][k], work[best][k]);
    const double scale = 1 / work[pivot][pivot];
    for (int k = 0; k < 8; ++k) work[pivot][k] *= scale;
    for (int row = 0; row < 4; ++row) {
      if (row == pivot) continue;
      const double factor = work[row][pivot];
      for (int k = 0; k < 8; ++k) work[row][k] -= factor * work[pivot][k];
    }
  }
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column) inverse[4 * column + row] = work[row][column + 4];
  return true;
}

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

bool projectPoint(const double object[3], const double modelview[16], const double projection[16],
                  const int viewport[4], double window[3]) {
  const double point[4] = {object[0], object[1], object[2], 1};
  double eye[4], clip[4];
  transform(modelview, point, eye);
  transform(projection, eye, clip);
  if (clip[3] == 0) return false;
  for (int k = 0; k < 3; ++k) window[k] = clip[k] / clip[3] * 0.5 + 0.5;
  window[0] = window[0] * viewport[2] + viewport[0];
  window[1] = window[1] * viewport[3] + viewport[1];
  return true;
}

bool unprojectPoint(const double window[3], const double modelview[16], const double projection[16],
                    const int viewport[4], double object[3]) {
  double combined[16], inverse[16];
  multiply(projection, modelview, combined);
  if (!invert(combined, inverse)) return false;
  const double normalized[4] = {(window[0] - viewport[0]) / viewport[2] * 2 - 1,
                                (window[1] - viewport[1]) / viewport[3] * 2 - 1, window[2] * 2 - 1,
                                1};
  double point[4];
  transform(inverse, normalized, point);
  if (point[3] == 0) return false;
  for (int k = 0; k < 3; ++k) object[k] = point[k] / point[3];
  return true;
}
