#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

// Texture slots 0 to 9. The slot number is itself the GL texture name.
constexpr int TEXTURE_SLOT_COUNT = 10;

// The files loaded at start-up, by slot, relative to the working directory.
constexpr const char* TEXTURE_FILE_NAMES[TEXTURE_SLOT_COUNT] = {
    "heat_ripple.bmp",    "cloth.bmp",
    "jeans.bmp",          "leaf.bmp",
    "cellular_face.bmp",  "burl.bmp",
    "angry_beholder.bmp", "cellular_vorkel.bmp",
    "goldring_globe.bmp", "glazed_globules.bmp",
};

// A decoded image: width × height pixels of red, green, blue, tightly packed.
// Row 0 is the bottom row of the picture (the first one an ordinary bitmap
// stores), so it lands at t = 0; a top-down file is turned the same way and
// reports its height as a positive row count.
struct TextureImage {
  int32_t width = 0;
  int32_t height = 0;
  std::unique_ptr<uint8_t[]> pixels;
};

// Start-up, on the GL context: name 0 with a clamped wrap, then one file per
// slot. A file that cannot be loaded ends the program with status 1.
void initDefaultTexture();
void loadTexture(const char* fileName, int slot);

// Reads an uncompressed 24-bit BMP file. Returns 1 on success, 0 after
// printing why it failed. Safe on any input.
int readBmp(const char* fileName, TextureImage& image);
// The same on a file already open (the fuzzer's live in memory); the name
// only stands in the messages.
int readBmpFile(FILE* file, const char* fileName, TextureImage& image);
int32_t readLittleEndian32(FILE* file);
uint16_t readLittleEndian16(FILE* file);
