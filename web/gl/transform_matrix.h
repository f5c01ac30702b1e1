#pragma once

// A 4 × 4 single-precision matrix as fixed-function GL keeps it: column
// major, changed in place by the matrix calls, with its inverse classified
// and computed on demand. Every product, sum and quotient is done in float in
// the order desktop GL's software implementation uses, so the browser's
// vertices, normals and light directions round as the desktop's do.
struct TransformMatrix {
  float m[16];

  static TransformMatrix identity();

  // In place, as glMultMatrixf, glTranslatef and glRotatef (angle in degrees).
  void multiply(const float* other);
  void translate(float x, float y, float z);
  void rotate(float angleDegrees, float x, float y, float z);

  // The inverse (the identity when the matrix is singular), and whether the
  // matrix keeps lengths (rotations and translations only): there lighting
  // happens in object space.
  struct Analysis {
    float inverse[16];
    bool lengthPreserving;
  };
  Analysis analyse() const;
};

// a × b.
TransformMatrix product(const TransformMatrix& a, const TransformMatrix& b);

// The matrix times the point p (four components).
void transformPoint(const float* matrix, const float* p, float* result);
// The first three components of n times the matrix's upper 3 × 3 (the
// transpose), as normals and directions are carried back to object space.
void transformNormal(const float* matrix, const float* n, float* result);

// Scales v (three components) to unit length; a zero vector stays as it is.
void normalize3(float* v);
