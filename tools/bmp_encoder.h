#pragma once

// Writes 24-bit BMP files: the ten textures, the fuzzing seeds and the test
// fixtures. Fields that a reader must cope with are all settable.

#include <cstdint>
#include <vector>

struct BmpLayout {
  int32_t width = 0;
  int32_t height = 0;  // negative: rows stored top row first
  uint16_t planes = 1;
  uint16_t bitsPerPixel = 24;
  uint32_t infoHeaderSize = 40;  // 108 and 124 are the later header versions
};

// storedRows holds the rows in file order, each |width| × 3 bytes of blue,
// green, red; every row is padded to a multiple of four bytes on the way out.
// Only the rows given are written, so a header may claim more than the file
// holds.
inline std::vector<uint8_t> encodeBmp(const BmpLayout& layout,
                                      const std::vector<uint8_t>& storedRows) {
  const uint32_t dataOffset = 14 + layout.infoHeaderSize;
  const int64_t width = layout.width < 0 ? -int64_t{layout.width} : layout.width;
  const int64_t height = layout.height < 0 ? -int64_t{layout.height} : layout.height;
  const int64_t rowBytes = width * 3;
  const int64_t stride = (rowBytes + 3) / 4 * 4;
  const uint32_t fileSize = static_cast<uint32_t>(dataOffset + stride * height);

  std::vector<uint8_t> file;
  auto put16 = [&](uint32_t v) {
    file.push_back(v & 0xff);
    file.push_back((v >> 8) & 0xff);
  };
  auto put32 = [&](uint32_t v) {
    put16(v & 0xffff);
    put16(v >> 16);
  };
  file.push_back('B');
  file.push_back('M');
  put32(fileSize);
  put32(0);  // reserved
  put32(dataOffset);
  put32(layout.infoHeaderSize);
  put32(static_cast<uint32_t>(layout.width));
  put32(static_cast<uint32_t>(layout.height));
  put16(layout.planes);
  put16(layout.bitsPerPixel);
  put32(0);  // no compression
  put32(static_cast<uint32_t>(stride * height));
  put32(2835);  // 72 dots per inch, both ways
  put32(2835);
  put32(0);
  put32(0);
  file.resize(dataOffset, 0);  // the rest of a larger information header

  const int64_t givenRows =
      rowBytes == 0 ? 0 : (static_cast<int64_t>(storedRows.size()) + rowBytes - 1) / rowBytes;
  for (int64_t row = 0; row < height && row < givenRows; ++row) {
    const size_t start = static_cast<size_t>(row * rowBytes);
    for (int64_t i = 0; i < rowBytes; ++i) {
      const size_t at = start + static_cast<size_t>(i);
      file.push_back(at < storedRows.size() ? storedRows[at] : 0);
    }
    for (int64_t pad = rowBytes; pad < stride; ++pad) file.push_back(0);
  }
  return file;
}
