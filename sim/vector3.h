#pragma once

#include <cmath>

// The one geometric value type: positions, accelerations, normals, pins and
// camera points. Double precision throughout; operations that return a new
// vector leave their operands alone, compound ones change the left operand.
struct Vector3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  Vector3() = default;
  Vector3(double x, double y, double z) : x(x), y(y), z(z) {}

  Vector3 operator+=(const Vector3& b) {
    x += b.x;
    y += b.y;
    z += b.z;
    return *this;
  }
  Vector3 operator-=(const Vector3& b) {
    x -= b.x;
    y -= b.y;
    z -= b.z;
    return *this;
  }
  Vector3 operator+(const Vector3& b) const { return {x + b.x, y + b.y, z + b.z}; }
  Vector3 operator-(const Vector3& b) const { return {x - b.x, y - b.y, z - b.z}; }
  // The scalar is always the right-hand operand.
  Vector3 operator*(double s) const { return {x * s, y * s, z * s}; }

  // Summed left to right; the simulation's results depend on that order.
  double dot(Vector3 b) const { return x * b.x + y * b.y + z * b.z; }
  // Right-handed this × b: swapping receiver and argument flips the result.
  Vector3 cross(Vector3 b) const {
    return {y * b.z - z * b.y, z * b.x - x * b.z, x * b.y - y * b.x};
  }
};

// Scales a to unit length in place. The length is held as a float, so the
// result is unit length to single precision only. A vector whose length rounds
// to zero is left as it is rather than turned into NaNs.
inline void normalize(Vector3& a) {
  const float length = static_cast<float>(std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z));
  if (length == 0.0f) return;
  a.x /= static_cast<double>(length);
  a.y /= static_cast<double>(length);
  a.z /= static_cast<double>(length);
}

// On equal arguments both yield the second one.
inline double maxOf(double p, double q) { return p > q ? p : q; }
inline double minOf(double p, double q) { return p >= q ? q : p; }

inline Vector3 componentMax(Vector3 a, Vector3 b) {
  return {maxOf(a.x, b.x), maxOf(a.y, b.y), maxOf(a.z, b.z)};
}
inline Vector3 componentMin(Vector3 a, Vector3 b) {
  return {minOf(a.x, b.x), minOf(a.y, b.y), minOf(a.z, b.z)};
}
