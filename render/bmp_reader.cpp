// The BMP reader: plain C stdio, no GL, so it can be fuzzed on its own.
#include <climits>
#include <cstdio>
#include <new>
#include <utility>

#include "render/bmp_reader.h"

namespace {

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

// Offsets into the 14-byte file header and the information header after it.
constexpr long PIXEL_OFFSET_FIELD = 10;
constexpr long WIDTH_FIELD = 18;
// Where the pixels start after the smallest (40-byte) information header.
constexpr int64_t MIN_PIXEL_OFFSET = 54;

// Size of the file in bytes, or -1 where it cannot be told.
int64_t fileSize(FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  return std::ftell(file);
}

}  // namespace

int32_t readLittleEndian32(FILE* file) {
  // Unsigned, so an end-of-file value (-1) wraps instead of overflowing.
  uint32_t sum = 0;
  uint32_t scale = 1;
  for (int i = 0; i < 4; ++i, scale *= 256) sum += static_cast<uint32_t>(std::fgetc(file)) * scale;
  return static_cast<int32_t>(sum);
}

uint16_t readLittleEndian16(FILE* file) {
  const uint32_t low = static_cast<uint32_t>(std::fgetc(file));
  const uint32_t high = static_cast<uint32_t>(std::fgetc(file));
  return static_cast<uint16_t>(low + high * 256);
}

int readBmp(const char* fileName, TextureImage& image) {
  const File file(std::fopen(fileName, "rb"));
  if (!file) {
    std::printf("File Not Found : %s\n", fileName);
    return 0;
  }
  return readBmpFile(file.get(), fileName, image);
}

int readBmpFile(FILE* f, const char* fileName, TextureImage& image) {
  // Later header versions are longer: the pixels start where the file header
  // says, but never inside the 54 bytes of the headers themselves.
  std::fseek(f, PIXEL_OFFSET_FIELD, SEEK_SET);
  const int64_t declaredOffset = static_cast<uint32_t>(readLittleEndian32(f));
  const int64_t pixelOffset =
      declaredOffset >= MIN_PIXEL_OFFSET ? declaredOffset : MIN_PIXEL_OFFSET;

  std::fseek(f, WIDTH_FIELD, SEEK_SET);
  image.width = readLittleEndian32(f);
  image.height = readLittleEndian32(f);
  const unsigned planes = readLittleEndian16(f);
  if (planes != 1) {
    std::printf("Planes from %s is not 1: %u\n", fileName, planes);
    return 0;
  }
  const unsigned bitsPerPixel = readLittleEndian16(f);
  if (bitsPerPixel != 24) {
    std::printf("Bpp from %s is not 24: %u\n", fileName, bitsPerPixel);
    return 0;
  }

  // A negative height marks a top-down bitmap: same picture, rows reversed.
  const bool topDown = image.height < 0;
  const int64_t width = image.width;
  const int64_t rows = topDown ? -int64_t{image.height} : image.height;
  // Each factor is below 2^31 in magnitude, so the product fits; times 3 it
  // might not, hence the comparison against a third of the limit.
  const int64_t pixelCount = width * rows;
  if (pixelCount > INT32_MAX / 3) {
    std::printf("Image size from %s is too large: %d x %d\n", fileName, image.width, image.height);
    return 0;
  }
  if (pixelCount < 0) {
    std::printf("Error allocating memory for color-corrected image data");
    return 0;
  }
  const int64_t count = pixelCount * 3;

  // Each stored row is padded to a multiple of four bytes; the last one's
  // padding may be missing. Refuse a file too short for its rows before
  // allocating for them.
  const int64_t rowBytes = width * 3;
  const int64_t stride = (rowBytes + 3) / 4 * 4;
  const int64_t size = fileSize(f);
  const bool tooShort = size >= 0 && pixelOffset + stride * (rows - 1) + rowBytes > size;
  if (count == 0 || tooShort) {
    std::printf("Error reading image data from %s.\n", fileName);
    return 0;
  }

  std::unique_ptr<uint8_t[]> pixels(new (std::nothrow) uint8_t[count]);
  if (!pixels) {
    std::printf("Error allocating memory for color-corrected image data");
    return 0;
  }
  std::fseek(f, static_cast<long>(pixelOffset), SEEK_SET);
  for (int64_t stored = 0; stored < rows; ++stored) {
    const int64_t row = topDown ? rows - 1 - stored : stored;
    uint8_t* destination = pixels.get() + row * rowBytes;
    if (std::fread(destination, 1, rowBytes, f) != static_cast<size_t>(rowBytes)) {
      std::printf("Error reading image data from %s.\n", fileName);
      return 0;
    }
    if (stored + 1 < rows) std::fseek(f, static_cast<long>(stride - rowBytes), SEEK_CUR);
  }

  // Stored blue, green, red; GL takes red, green, blue.
  for (int64_t i = 0; i < count; i += 3) std::swap(pixels[i], pixels[i + 2]);
  image.height = static_cast<int32_t>(rows);
  image.pixels = std::move(pixels);
  return 1;
}
