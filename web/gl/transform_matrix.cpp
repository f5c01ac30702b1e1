#include "web/gl/transform_matrix.h"

#include <cmath>
#include <cstring>

namespace {

constexpr float IDENTITY[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// Element (row, column) of a column-major matrix.
constexpr int at(int row, int column) { return column * 4 + row; }

// Each element is one left-to-right sum of four products; writing row i
// only after reading it lets the product land in a.
void multiply4(float* product, const float* a, const float* b) {
  for (int i = 0; i < 4; ++i) {
    const float ai0 = a[at(i, 0)], ai1 = a[at(i, 1)], ai2 = a[at(i, 2)], ai3 = a[at(i, 3)];
    for (int j = 0; j < 4; ++j)
      product[at(i, j)] =
          ai0 * b[at(0, j)] + ai1 * b[at(1, j)] + ai2 * b[at(2, j)] + ai3 * b[at(3, j)];
  }
}

float dot3(const float* a, const float* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
float square(float x) { return x * x; }

// The classification the inverse follows.
enum class Kind { General, Identity, NoRotation3d, Perspective, Plane2d, NoRotation2d, Space3d };
enum Flag : unsigned {
  ROTATION = 0x2,
  TRANSLATION = 0x4,
  UNIFORM_SCALE = 0x8,
  GENERAL_SCALE = 0x10,
  GENERAL_3D = 0x20,
};

constexpr unsigned zero(int i) { return 1u << i; }
constexpr unsigned one(int i) { return 1u << (i + 16); }
constexpr unsigned MASK_NO_TRANSLATION = zero(12) | zero(13) | zero(14);
constexpr unsigned MASK_NO_2D_SCALE = one(0) | one(5);
constexpr unsigned MASK_IDENTITY = one(0) | zero(4) | zero(8) | zero(12) | zero(1) | one(5) |
                                   zero(9) | zero(13) | zero(2) | zero(6) | one(10) | zero(14) |
                                   zero(3) | zero(7) | zero(11) | one(15);
constexpr unsigned MASK_2D_NO_ROTATION = zero(4) | zero(8) | zero(1) | zero(9) | zero(2) | zero(6) |
                                         one(10) | zero(14) | zero(3) | zero(7) | zero(11) |
                                         one(15);
constexpr unsigned MASK_2D = zero(8) | zero(9) | zero(2) | zero(6) | one(10) | zero(14) | zero(3) |
                             zero(7) | zero(11) | one(15);
constexpr unsigned MASK_3D_NO_ROTATION = zero(4) | zero(8) | zero(1) | zero(9) | zero(2) | zero(6) |
                                         zero(3) | zero(7) | zero(11) | one(15);
constexpr unsigned MASK_3D = zero(3) | zero(7) | zero(11) | one(15);
constexpr unsigned MASK_PERSPECTIVE =
    zero(4) | zero(12) | zero(1) | zero(13) | zero(2) | zero(6) | zero(3) | zero(7) | zero(15);

struct Classification {
  Kind kind = Kind::General;
  unsigned flags = 0;
};

// From the values alone: which elements are 0 or 1, and how nearly the 3 × 3
// part is a rotation (to within 1e-6, squared, as the desktop tests it).
Classification classify(const float* m) {
  unsigned mask = 0;
  for (int i = 0; i < 16; ++i)
    if (m[i] == 0.0f) mask |= zero(i);
  if (m[0] == 1.0f) mask |= one(0);
  if (m[5] == 1.0f) mask |= one(5);
  if (m[10] == 1.0f) mask |= one(10);
  if (m[15] == 1.0f) mask |= one(15);

  Classification c;
  if ((mask & MASK_NO_TRANSLATION) != MASK_NO_TRANSLATION) c.flags |= TRANSLATION;
  const float epsilon = square(1e-6f);
  if (mask == MASK_IDENTITY) {
    c.kind = Kind::Identity;
  } else if ((mask & MASK_2D_NO_ROTATION) == MASK_2D_NO_ROTATION) {
    c.kind = Kind::NoRotation2d;
    if ((mask & MASK_NO_2D_SCALE) != MASK_NO_2D_SCALE) c.flags |= GENERAL_SCALE;
  } else if ((mask & MASK_2D) == MASK_2D) {
    const float mm = m[0] * m[0] + m[1] * m[1];
    const float m4m4 = m[4] * m[4] + m[5] * m[5];
    const float mm4 = m[0] * m[4] + m[1] * m[5];
    c.kind = Kind::Plane2d;
    if (square(mm - 1) > epsilon || square(m4m4 - 1) > epsilon) c.flags |= GENERAL_SCALE;
    c.flags |= square(mm4) > epsilon ? GENERAL_3D : ROTATION;
  } else if ((mask & MASK_3D_NO_ROTATION) == MASK_3D_NO_ROTATION) {
    c.kind = Kind::NoRotation3d;
    if (square(m[0] - m[5]) < epsilon && square(m[0] - m[10]) < epsilon) {
      if (square(m[0] - 1.0f) > epsilon) c.flags |= UNIFORM_SCALE;
    } else {
      c.flags |= GENERAL_SCALE;
    }
  } else if ((mask & MASK_3D) == MASK_3D) {
    const float c1 = dot3(m, m);
    const float c2 = dot3(m + 4, m + 4);
    const float c3 = dot3(m + 8, m + 8);
    const float d1 = dot3(m, m + 4);
    c.kind = Kind::Space3d;
    if (square(c1 - c2) < epsilon && square(c1 - c3) < epsilon) {
      if (square(c1 - 1.0f) > epsilon) c.flags |= UNIFORM_SCALE;
    } else {
      c.flags |= GENERAL_SCALE;
    }
    if (square(d1) < epsilon) {
      float cp[3] = {m[1] * m[6] - m[2] * m[5], m[2] * m[4] - m[0] * m[6],
                     m[0] * m[5] - m[1] * m[4]};
      for (int i = 0; i < 3; ++i) cp[i] = cp[i] - m[8 + i];
      c.flags |= dot3(cp, cp) < epsilon ? ROTATION : GENERAL_3D;
    } else {
      c.flags |= GENERAL_3D;
    }
  } else if ((mask & MASK_PERSPECTIVE) == MASK_PERSPECTIVE && m[11] == -1.0f) {
    c.kind = Kind::Perspective;
  }
  return c;
}

// The affine inverse through the 3 × 3 cofactors, with the determinant's
// positive and negative terms summed apart.
bool invert3dGeneral(const float* in, float* out) {
  auto a = [&](int r, int c) { return in[at(r, c)]; };
  float pos = 0.0f, neg = 0.0f;
  const float terms[6] = {
      a(0, 0) * a(1, 1) * a(2, 2),  a(1, 0) * a(2, 1) * a(0, 2),  a(2, 0) * a(0, 1) * a(1, 2),
      -a(2, 0) * a(1, 1) * a(0, 2), -a(1, 0) * a(0, 1) * a(2, 2), -a(0, 0) * a(2, 1) * a(1, 2),
  };
  for (float t : terms) {
    if (t >= 0.0f)
      pos += t;
    else
      neg += t;
  }
  float det = pos + neg;
  if (std::fabs(det) < 1e-25f) return false;
  det = 1.0f / det;
  std::memcpy(out, IDENTITY, sizeof IDENTITY);
  out[at(0, 0)] = ((a(1, 1) * a(2, 2) - a(2, 1) * a(1, 2)) * det);
  out[at(0, 1)] = (-(a(0, 1) * a(2, 2) - a(2, 1) * a(0, 2)) * det);
  out[at(0, 2)] = ((a(0, 1) * a(1, 2) - a(1, 1) * a(0, 2)) * det);
  out[at(1, 0)] = (-(a(1, 0) * a(2, 2) - a(2, 0) * a(1, 2)) * det);
  out[at(1, 1)] = ((a(0, 0) * a(2, 2) - a(2, 0) * a(0, 2)) * det);
  out[at(1, 2)] = (-(a(0, 0) * a(1, 2) - a(1, 0) * a(0, 2)) * det);
  out[at(2, 0)] = ((a(1, 0) * a(2, 1) - a(2, 0) * a(1, 1)) * det);
  out[at(2, 1)] = (-(a(0, 0) * a(2, 1) - a(2, 0) * a(0, 1)) * det);
  out[at(2, 2)] = ((a(0, 0) * a(1, 1) - a(1, 0) * a(0, 1)) * det);
  for (int r = 0; r < 3; ++r)
    out[at(r, 3)] = -(a(0, 3) * out[at(r, 0)] + a(1, 3) * out[at(r, 1)] + a(2, 3) * out[at(r, 2)]);
  return true;
}

// Rotations (with a uniform scale) invert by transposing.
bool invert3d(const float* in, float* out, unsigned flags) {
  if (flags & (GENERAL_SCALE | GENERAL_3D)) return invert3dGeneral(in, out);
  auto a = [&](int r, int c) { return in[at(r, c)]; };
  std::memcpy(out, IDENTITY, sizeof IDENTITY);
  if (flags & UNIFORM_SCALE) {
    float scale = a(0, 0) * a(0, 0) + a(0, 1) * a(0, 1) + a(0, 2) * a(0, 2);
    if (scale == 0.0f) return false;
    scale = 1.0f / scale;
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) out[at(r, c)] = scale * a(c, r);
  } else if (flags & ROTATION) {
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) out[at(r, c)] = a(c, r);
  } else {
    for (int r = 0; r < 3; ++r) out[at(r, 3)] = -a(r, 3);
    return true;
  }
  for (int r = 0; r < 3; ++r) {
    out[at(r, 3)] =
        (flags & TRANSLATION)
            ? -(a(0, 3) * out[at(r, 0)] + a(1, 3) * out[at(r, 1)] + a(2, 3) * out[at(r, 2)])
            : 0.0f;
  }
  return true;
}

// Scales and translations only.
bool invertNoRotation(const float* in, float* out, unsigned flags, int axes) {
  for (int i = 0; i < axes; ++i)
    if (in[at(i, i)] == 0) return false;
  std::memcpy(out, IDENTITY, sizeof IDENTITY);
  for (int i = 0; i < axes; ++i) out[at(i, i)] = 1.0f / in[at(i, i)];
  if (flags & TRANSLATION)
    for (int i = 0; i < axes; ++i) out[at(i, 3)] = -(in[at(i, 3)] * out[at(i, i)]);
  return true;
}

}  // namespace

TransformMatrix TransformMatrix::identity() {
  TransformMatrix result;
  std::memcpy(result.m, IDENTITY, sizeof IDENTITY);
  return result;
}

void TransformMatrix::multiply(const float* other) { multiply4(m, m, other); }

void TransformMatrix::translate(float x, float y, float z) {
  for (int r = 0; r < 4; ++r) m[12 + r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
}

void TransformMatrix::rotate(float angleDegrees, float x, float y, float z) {
  // The angle is converted in double and the sine and cosine taken in float.
  const float s = sinf(static_cast<float>(angleDegrees * M_PI / 180.0));
  const float c = cosf(static_cast<float>(angleDegrees * M_PI / 180.0));
  float r[16];
  std::memcpy(r, IDENTITY, sizeof IDENTITY);
  // A rotation about one axis is written out directly; any other axis is
  // normalised and goes through the general formula.
  if (x == 0.0f && y == 0.0f && z != 0.0f) {
    r[at(0, 0)] = c;
    r[at(1, 1)] = c;
    r[at(0, 1)] = z < 0.0f ? s : -s;
    r[at(1, 0)] = z < 0.0f ? -s : s;
  } else if (x == 0.0f && y != 0.0f && z == 0.0f) {
    r[at(0, 0)] = c;
    r[at(2, 2)] = c;
    r[at(0, 2)] = y < 0.0f ? -s : s;
    r[at(2, 0)] = y < 0.0f ? s : -s;
  } else if (x != 0.0f && y == 0.0f && z == 0.0f) {
    r[at(1, 1)] = c;
    r[at(2, 2)] = c;
    r[at(1, 2)] = x < 0.0f ? s : -s;
    r[at(2, 1)] = x < 0.0f ? -s : s;
  } else {
    const float magnitude = sqrtf(x * x + y * y + z * z);
    if (magnitude <= 1.0e-4f) return;
    x /= magnitude;
    y /= magnitude;
    z /= magnitude;
    const float xx = x * x, yy = y * y, zz = z * z;
    const float xy = x * y, yz = y * z, zx = z * x;
    const float xs = x * s, ys = y * s, zs = z * s;
    const float oneC = 1.0f - c;
    r[at(0, 0)] = (oneC * xx) + c;
    r[at(0, 1)] = (oneC * xy) - zs;
    r[at(0, 2)] = (oneC * zx) + ys;
    r[at(1, 0)] = (oneC * xy) + zs;
    r[at(1, 1)] = (oneC * yy) + c;
    r[at(1, 2)] = (oneC * yz) - xs;
    r[at(2, 0)] = (oneC * zx) - ys;
    r[at(2, 1)] = (oneC * yz) + xs;
    r[at(2, 2)] = (oneC * zz) + c;
  }
  multiply4(m, m, r);
}

TransformMatrix::Analysis TransformMatrix::analyse() const {
  const Classification c = classify(m);
  Analysis result;
  bool inverted = false;
  switch (c.kind) {
    case Kind::Identity:
      std::memcpy(result.inverse, IDENTITY, sizeof IDENTITY);
      inverted = true;
      break;
    case Kind::NoRotation3d:
      inverted = invertNoRotation(m, result.inverse, c.flags, 3);
      break;
    case Kind::NoRotation2d:
      inverted = invertNoRotation(m, result.inverse, c.flags, 2);
      break;
    case Kind::Plane2d:
    case Kind::Space3d:
      inverted = invert3d(m, result.inverse, c.flags);
      break;
    case Kind::General:
    case Kind::Perspective:
      // Not reached by a modelview built from the calls above, whose last
      // row stays (0, 0, 0, 1).
      inverted = invert3dGeneral(m, result.inverse);
      break;
  }
  if (!inverted) std::memcpy(result.inverse, IDENTITY, sizeof IDENTITY);
  const unsigned geometry =
      c.flags | (c.kind == Kind::General || c.kind == Kind::Perspective ? 1u : 0u);
  result.lengthPreserving = (geometry & ~static_cast<unsigned>(ROTATION | TRANSLATION)) == 0;
  return result;
}

TransformMatrix product(const TransformMatrix& a, const TransformMatrix& b) {
  TransformMatrix result;
  multiply4(result.m, a.m, b.m);
  return result;
}

void transformPoint(const float* matrix, const float* p, float* result) {
  for (int r = 0; r < 4; ++r)
    result[r] =
        matrix[r] * p[0] + matrix[4 + r] * p[1] + matrix[8 + r] * p[2] + matrix[12 + r] * p[3];
}

void transformNormal(const float* matrix, const float* n, float* result) {
  for (int r = 0; r < 3; ++r)
    result[r] = n[0] * matrix[4 * r] + n[1] * matrix[4 * r + 1] + n[2] * matrix[4 * r + 2];
}

void normalize3(float* v) {
  float length = dot3(v, v);
  if (length != 0.0f) {
    length = 1.0f / sqrtf(length);
    v[0] *= length;
    v[1] *= length;
    v[2] *= length;
  }
}
