#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

// The reader of the texture files: uncompressed 24-bit BMP, plain C stdio and
// no GL, so that it can be fuzzed and tested on its own.

// A decoded image: width × height pixels of red, green, blue, tightly packed.
// Row 0 is the bottom row of the picture (the first one an ordinary bitmap
// stores), so it lands at t = 0; a top-down file is turned the same way and
// reports its height as a positive row count.
struct TextureImage {
  int32_t width = 0;
  int32_t height = 0;
  std::unique_ptr<uint8_t[]> pixels;
};

// Reads an uncompressed 24-bit BMP file. Returns 1 on success, 0 after
// printing why it failed. Safe on any input.
int readBmp(const char* fileName, TextureImage& image);
// The same on a file already open (the fuzzer's live in memory); the name
// only stands in the messages.
int readBmpFile(FILE* file, const char* fileName, TextureImage& image);
int32_t readLittleEndian32(FILE* file);
uint16_t readLittleEndian16(FILE* file);
