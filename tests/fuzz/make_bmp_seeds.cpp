// Writes a handful of small BMP files, valid and nearly valid, as the seed
// corpus of the reader's fuzzer.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/bmp_encoder.h"

namespace {

std::vector<uint8_t> pixels(int width, int height) {
  std::vector<uint8_t> rows;
  for (int i = 0; i < width * height; ++i) {
    rows.push_back(static_cast<uint8_t>(i * 7));
    rows.push_back(static_cast<uint8_t>(i * 13));
    rows.push_back(static_cast<uint8_t>(i * 29));
  }
  return rows;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
    return 2;
  }
  struct Seed {
    const char* name;
    BmpLayout layout;
  };
  const Seed seeds[] = {
      {"square_4.bmp", {4, 4}},        {"padded_3x2.bmp", {3, 2}},
      {"top_down_5x3.bmp", {5, -3}},   {"v5_header_2x2.bmp", {2, 2, 1, 24, 124}},
      {"eight_bit.bmp", {4, 4, 1, 8}}, {"two_planes.bmp", {4, 4, 2, 24}},
      {"one_pixel.bmp", {1, 1}},
  };
  for (const Seed& seed : seeds) {
    const int rows = seed.layout.height < 0 ? -seed.layout.height : seed.layout.height;
    const std::vector<uint8_t> file = encodeBmp(seed.layout, pixels(seed.layout.width, rows));
    const std::string path = std::string(argv[1]) + "/" + seed.name;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr || std::fwrite(file.data(), 1, file.size(), out) != file.size()) return 1;
    std::fclose(out);
  }
  return 0;
}
