// Draws the ten 256 × 256 textures the program loads at start-up and writes
// them as uncompressed 24-bit BMP files into the folder given. Pure
// arithmetic on a fixed seed: the same bytes on every run.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "render/texture.h"
#include "tools/bmp_encoder.h"

namespace {

constexpr int SIZE = 256;
constexpr double PI = 3.14159265358979323846;

struct Colour {
  double r, g, b;  // 0 to 1
};

Colour mix(Colour a, Colour b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Colour scale(Colour c, double s) { return {c.r * s, c.g * s, c.b * s}; }
Colour add(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Colour rgb(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

// Integer hash to [0, 1): the only source of randomness.
double hash(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xffffff) / double(0x1000000);
}

double smooth(double t) { return t * t * (3 - 2 * t); }

// Value noise on a lattice of the given period, so the textures tile.
double noise(double x, double y, int period, int seed) {
  const int ix = static_cast<int>(std::floor(x));
  const int iy = static_cast<int>(std::floor(y));
  const double fx = smooth(x - ix);
  const double fy = smooth(y - iy);
  auto at = [&](int i, int j) {
    return hash(((i % period) + period) % period, ((j % period) + period) % period, seed);
  };
  const double top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * fx;
  const double bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * fx;
  return top + (bottom - top) * fy;
}

// Fractal noise over u, v in [0, 1): about 0 to 1.
double fbm(double u, double v, int seed, int octaves = 5, int baseCells = 4) {
  double sum = 0, amplitude = 0.5, total = 0;
  int cells = baseCells;
  for (int o = 0; o < octaves; ++o, cells *= 2, amplitude *= 0.5) {
    sum += amplitude * noise(u * cells, v * cells, cells, seed + o);
    total += amplitude;
  }
  return sum / total;
}

struct Cells {
  double nearest;
  double second;
  int id;
};

// Distances to the nearest and second-nearest jittered point of a grid.
Cells worley(double u, double v, int cells, int seed) {
  Cells result{1e9, 1e9, 0};
  const double x = u * cells, y = v * cells;
  const int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
  for (int j = cy - 1; j <= cy + 1; ++j) {
    for (int i = cx - 1; i <= cx + 1; ++i) {
      const int wi = ((i % cells) + cells) % cells, wj = ((j % cells) + cells) % cells;
      const double px = i + hash(wi, wj, seed), py = j + hash(wi, wj, seed + 101);
      const double d = std::hypot(px - x, py - y);
      if (d < result.nearest) {
        result.second = result.nearest;
        result.nearest = d;
        result.id = wj * cells + wi;
      } else if (d < result.second) {
        result.second = d;
      }
    }
  }
  return result;
}

Colour heatRipple(double u, double v) {
  const double warp = fbm(u, v, 11);
  const double d = std::hypot(u - 0.5, v - 0.5) + 0.08 * warp;
  const double wave = 0.5 + 0.5 * std::sin(d * 70 - warp * 8);
  const double heat = std::clamp(wave * (1.1 - d * 1.2) + 0.15 * warp, 0.0, 1.0);
  if (heat < 0.33) return mix(rgb(20, 0, 0), rgb(200, 20, 0), heat / 0.33);
  if (heat < 0.66) return mix(rgb(200, 20, 0), rgb(255, 150, 0), (heat - 0.33) / 0.33);
  return mix(rgb(255, 150, 0), rgb(255, 250, 190), (heat - 0.66) / 0.34);
}

Colour wovenCloth(double u, double v) {
  const int x = static_cast<int>(u * SIZE), y = static_cast<int>(v * SIZE);
  constexpr int THREAD = 8;
  const bool warpOnTop = ((x / THREAD) + (y / THREAD)) % 2 == 0;
  // Each thread is round: brightest along its middle.
  const double across = ((warpOnTop ? x : y) % THREAD + 0.5) / THREAD;
  const double roundness = std::sin(across * PI);
  const Colour warp = rgb(205, 180, 130), weft = rgb(150, 55, 45);
  const double fibre = 0.85 + 0.15 * noise(u * 128, v * 128, 128, 21);
  return scale(warpOnTop ? warp : weft, (0.45 + 0.55 * roundness) * fibre);
}

Colour denim(double u, double v) {
  const int x = static_cast<int>(u * SIZE), y = static_cast<int>(v * SIZE);
  // Three-over-one twill: the ridges climb diagonally.
  const double ridge = 0.5 + 0.5 * std::cos(((x + y) % 6) / 6.0 * 2 * PI);
  const double speckle = hash(x, y, 31) > 0.82 ? 0.35 : 0.0;
  const double fade = fbm(u, v, 33, 4, 2);
  Colour c = mix(rgb(18, 32, 78), rgb(70, 96, 150), 0.55 * ridge + 0.35 * fade);
  return mix(c, rgb(210, 215, 225), speckle);
}

Colour leaf(double u, double v) {
  const Colour background = mix(rgb(228, 232, 214), rgb(200, 206, 186), fbm(u, v, 41));
  // Leaf frame: the midrib runs along a tilted axis through the centre.
  const double angle = PI / 5;
  const double dx = u - 0.5, dy = v - 0.5;
  const double along = (dx * std::cos(angle) + dy * std::sin(angle)) / 0.42;
  const double across = -dx * std::sin(angle) + dy * std::cos(angle);
  const double halfWidth =
      0.22 * std::pow(std::max(0.0, 1 - along * along), 0.9) * (1 - 0.25 * along);
  if (along > -1.25 && along < -0.95 && std::abs(across) < 0.006) return rgb(95, 110, 40);  // stem
  if (std::abs(along) >= 1 || std::abs(across) >= halfWidth) return background;
  const double edge = std::abs(across) / halfWidth;
  Colour green = mix(rgb(40, 120, 35), rgb(95, 165, 55), fbm(u, v, 43) * (1 - 0.4 * edge));
  const double vein = std::abs(std::sin((along * 0.42 - std::abs(across) * 1.3) * 60));
  if (std::abs(across) < 0.006) return rgb(190, 215, 120);  // midrib
  if (vein < 0.12) green = mix(green, rgb(170, 205, 100), 0.75);
  return green;
}

Colour cellularFace(double u, double v) {
  const Cells c = worley(u, v, 10, 51);
  const double tint = hash(c.id, 0, 53);
  Colour skin = mix(rgb(240, 190, 150), rgb(200, 130, 100), tint);
  skin = scale(skin, 0.6 + 0.4 * std::min(1.0, (c.second - c.nearest) * 4));
  // A face drawn through the cells: two eyes and a smile.
  const double leftEye = std::hypot(u - 0.35, v - 0.62), rightEye = std::hypot(u - 0.65, v - 0.62);
  if (leftEye < 0.07 || rightEye < 0.07) return mix(rgb(30, 20, 20), skin, 0.25);
  const double mouth = std::hypot(u - 0.5, v - 0.48);
  if (v < 0.40 && mouth > 0.22 && mouth < 0.27) return mix(rgb(120, 20, 30), skin, 0.3);
  return skin;
}

Colour burl(double u, double v) {
  const double knots[][2] = {{0.3, 0.3}, {0.7, 0.35}, {0.45, 0.72}, {0.82, 0.8}, {0.15, 0.78}};
  double field = 0;
  for (const auto& k : knots) {
    double dx = std::abs(u - k[0]), dy = std::abs(v - k[1]);
    dx = std::min(dx, 1 - dx);
    dy = std::min(dy, 1 - dy);
    field += 0.05 / (std::hypot(dx, dy) + 0.03);
  }
  field += 1.5 * fbm(u, v, 61);
  const double ring = 0.5 + 0.5 * std::sin(field * 9);
  const double grain = noise(u * 64, v * 8, 64, 63);
  return mix(rgb(85, 45, 20), rgb(195, 135, 75), 0.75 * ring + 0.25 * grain);
}

Colour angryBeholder(double u, double v) {
  const double dx = u - 0.5, dy = v - 0.5;
  const double r = std::hypot(dx, dy);
  // Almond-shaped lids; outside them, bumpy purple hide.
  const double lid = 0.26 * std::max(0.0, 1 - std::pow(dx / 0.46, 2));
  if (std::abs(dy) > lid) {
    const double bumps = fbm(u, v, 71, 5, 8);
    Colour hide = mix(rgb(70, 30, 80), rgb(140, 80, 130), bumps);
    // Brows slanting down toward the middle: the angry look.
    const double brow = dy - (0.17 + 0.3 * std::abs(dx));
    if (brow > 0 && brow < 0.06 && std::abs(dx) < 0.4) hide = rgb(35, 10, 35);
    return hide;
  }
  if (r < 0.17) {
    const double angle = std::atan2(dy, dx);
    if (std::abs(dx) < 0.035 * std::sqrt(std::max(0.0, 1 - dy * dy / 0.0289)) + 0.005)
      return rgb(5, 5, 5);  // slit pupil
    const double streak = noise(angle * 12 / PI + 12, r * 30, 24, 73);
    return scale(mix(rgb(200, 160, 20), rgb(60, 140, 40), r / 0.17), 0.6 + 0.5 * streak);
  }
  if (r < 0.18) return rgb(30, 20, 10);
  const double vein = std::abs(fbm(u, v, 75, 4, 6) - 0.5);
  return vein < 0.02 ? rgb(200, 40, 40) : mix(rgb(245, 240, 225), rgb(225, 200, 190), r * 2);
}

Colour cellularVorkel(double u, double v) {
  // A vortex: the nearer the centre, the further the cells are turned.
  const double dx = u - 0.5, dy = v - 0.5;
  const double r = std::hypot(dx, dy);
  const double turn = 2.2 * std::exp(-r * 6);
  const double su = 0.5 + dx * std::cos(turn) - dy * std::sin(turn);
  const double sv = 0.5 + dx * std::sin(turn) + dy * std::cos(turn);
  const Cells c = worley(su - std::floor(su), sv - std::floor(sv), 12, 81);
  const double edge = std::clamp((c.second - c.nearest) * 5, 0.0, 1.0);
  const Colour inside = mix(rgb(10, 20, 70), rgb(40, 70, 150), hash(c.id, 1, 83));
  return mix(rgb(150, 240, 255), inside, edge);
}

Colour goldringGlobe(double u, double v) {
  const double dx = (u - 0.5) / 0.3, dy = (v - 0.5) / 0.3;
  const double d2 = dx * dx + dy * dy;
  // A tilted ring around the globe, an ellipse in the picture.
  const double ringX = dx * std::cos(0.35) + dy * std::sin(0.35);
  const double ringY = (-dx * std::sin(0.35) + dy * std::cos(0.35)) / 0.3;
  const double ringR = std::hypot(ringX, ringY);
  const bool onRing = (ringR > 1.25 && ringR < 1.45) || (ringR > 1.52 && ringR < 1.6);
  const bool ringInFront = ringY < 0;
  const Colour gold = scale(rgb(230, 180, 60), 0.7 + 0.3 * std::cos(ringX * 3));
  if (onRing && (ringInFront || d2 >= 1)) return gold;
  if (d2 < 1) {
    const double dz = std::sqrt(1 - d2);
    const double light = std::max(0.0, -0.5 * dx + 0.5 * dy + 0.7 * dz);
    const bool land = fbm(u * 1.5, v * 1.5, 91) > 0.52;
    return scale(land ? rgb(70, 140, 60) : rgb(30, 80, 170), 0.2 + 0.9 * light);
  }
  const int x = static_cast<int>(u * SIZE), y = static_cast<int>(v * SIZE);
  return hash(x, y, 93) > 0.995 ? rgb(240, 240, 255) : rgb(5, 8, 25);
}

Colour glazedGlobules(double u, double v) {
  struct Blob {
    double x, y, r;
    Colour colour;
  };
  const Blob blobs[] = {
      {0.25, 0.3, 0.13, rgb(200, 40, 30)},  {0.55, 0.25, 0.11, rgb(230, 130, 20)},
      {0.8, 0.45, 0.12, rgb(140, 40, 160)}, {0.4, 0.6, 0.15, rgb(210, 60, 90)},
      {0.7, 0.78, 0.1, rgb(240, 180, 40)},  {0.15, 0.8, 0.09, rgb(60, 130, 200)},
      {0.9, 0.12, 0.08, rgb(60, 170, 90)},
  };
  double field = 0, gx = 0, gy = 0, strongest = 0;
  Colour colour{0, 0, 0};
  for (const Blob& b : blobs) {
    const double dx = u - b.x, dy = v - b.y;
    // Gaussian blobs: smooth everywhere, flat on top.
    const double f = std::exp(-2 * (dx * dx + dy * dy) / (b.r * b.r));
    field += f;
    gx += -4 * f * dx / (b.r * b.r);
    gy += -4 * f * dy / (b.r * b.r);
    if (f > strongest) strongest = f, colour = b.colour;
  }
  if (field < 0.2) return mix(rgb(15, 10, 20), rgb(40, 30, 45), fbm(u, v, 97));
  // Normal from the field's gradient; a glossy highlight from the upper left.
  const double nx = -gx * 0.06, ny = -gy * 0.06;
  const double nz = 1.0 / std::sqrt(1 + nx * nx + ny * ny);
  const double lx = -0.5, ly = 0.5, lz = 0.707;
  const double diffuse = std::max(0.0, (nx * nz * lx + ny * nz * ly + nz * lz));
  const double hx = -0.5, hy = 0.5, hz = 1.707, hLength = std::sqrt(hx * hx + hy * hy + hz * hz);
  const double facing = (nx * hx + ny * hy + hz) * nz / hLength;
  const double highlight = std::pow(std::max(0.0, facing), 80);
  return add(scale(colour, 0.25 + 0.75 * diffuse), scale(rgb(255, 255, 255), highlight));
}

const std::function<Colour(double, double)> PAINTERS[TEXTURE_SLOT_COUNT] = {
    heatRipple, wovenCloth,    denim,          leaf,          cellularFace,
    burl,       angryBeholder, cellularVorkel, goldringGlobe, glazedGlobules,
};

uint8_t toByte(double channel) {
  return static_cast<uint8_t>(std::lround(std::clamp(channel, 0.0, 1.0) * 255));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
    return 2;
  }
  for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot) {
    // Stored bottom row first, blue, green, red.
    std::vector<uint8_t> rows;
    rows.reserve(SIZE * SIZE * 3);
    for (int y = 0; y < SIZE; ++y) {
      for (int x = 0; x < SIZE; ++x) {
        const Colour c = PAINTERS[slot]((x + 0.5) / SIZE, (y + 0.5) / SIZE);
        rows.push_back(toByte(c.b));
        rows.push_back(toByte(c.g));
        rows.push_back(toByte(c.r));
      }
    }
    const std::vector<uint8_t> file = encodeBmp({SIZE, SIZE}, rows);
    const std::string path = std::string(argv[1]) + "/" + TEXTURE_FILE_NAMES[slot];
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr || std::fwrite(file.data(), 1, file.size(), out) != file.size()) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
    std::fclose(out);
  }
  return 0;
}
