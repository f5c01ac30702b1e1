#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "render/bmp_reader.h"
#include "render/texture.h"
#include "tests/bmp_fixture.h"

namespace {

std::vector<uint8_t> validFile(int width, int height) {
  return encodeBmp({width, height}, gradientRows(width, height));
}

std::vector<uint8_t> cutAt(std::vector<uint8_t> bytes, size_t length) {
  bytes.resize(length);
  return bytes;
}

std::vector<uint8_t> withField16(std::vector<uint8_t> bytes, size_t offset, uint16_t value) {
  bytes[offset] = value & 0xff;
  bytes[offset + 1] = value >> 8;
  return bytes;
}

std::string replacePath(std::string text, const std::string& path) {
  for (size_t at; (at = text.find("{}")) != std::string::npos;) text.replace(at, 2, path);
  return text;
}

struct ReadResult {
  int status;
  std::string output;
};

ReadResult read(const std::string& path, TextureImage& image) {
  std::fflush(stdout);
  testing::internal::CaptureStdout();
  const int status = readBmp(path.c_str(), image);
  std::fflush(stdout);
  return {status, testing::internal::GetCapturedStdout()};
}

TEST(ReadBmp, RejectsBadFilesWithTheirMessage) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    std::string message;  // {} stands for the file's path
  };
  const std::vector<uint8_t> good = validFile(4, 4);
  const Case cases[] = {
      {"8bit", encodeBmp({4, 4, 1, 8}, {}), "Bpp from {} is not 24: 8\n"},
      {"32bit", encodeBmp({4, 4, 1, 32}, {}), "Bpp from {} is not 24: 32\n"},
      {"planes", withField16(good, 26, 3), "Planes from {} is not 1: 3\n"},
      // Cut short: the end-of-file value -1 enters the 16-bit fields.
      {"empty", {}, "Planes from {} is not 1: 65279\n"},
      {"cut_in_width", cutAt(good, 20), "Planes from {} is not 1: 65279\n"},
      {"cut_before_planes", cutAt(good, 26), "Planes from {} is not 1: 65279\n"},
      {"cut_in_planes", cutAt(good, 27), "Planes from {} is not 1: 65281\n"},
      {"cut_before_bpp", cutAt(good, 28), "Bpp from {} is not 24: 65279\n"},
      {"cut_in_bpp", cutAt(good, 29), "Bpp from {} is not 24: 65304\n"},
      {"cut_in_skipped_fields", cutAt(good, 40), "Error reading image data from {}.\n"},
      {"cut_before_pixels", cutAt(good, 54), "Error reading image data from {}.\n"},
      {"cut_in_pixels", cutAt(good, 54 + 47), "Error reading image data from {}.\n"},
      {"zero_width", encodeBmp({0, 4}, {}), "Error reading image data from {}.\n"},
      {"zero_height", encodeBmp({4, 0}, {}), "Error reading image data from {}.\n"},
      {"negative_width", encodeBmp({-4, 4}, gradientRows(4, 4)),
       "Error allocating memory for color-corrected image data"},
      {"overflowing", encodeBmp({50000, 50000}, {}),
       "Image size from {} is too large: 50000 x 50000\n"},
      {"overflowing_top_down", encodeBmp({65536, -16384}, {}),
       "Image size from {} is too large: 65536 x -16384\n"},
      {"lowest_height", encodeBmp({1, INT32_MIN}, {}),
       "Image size from {} is too large: 1 x -2147483648\n"},
      {"product_beyond_64_bits", encodeBmp({INT32_MAX, INT32_MIN}, {}),
       "Image size from {} is too large: 2147483647 x -2147483648\n"},
      {"lowest_width_and_height", encodeBmp({INT32_MIN, INT32_MIN}, {}),
       "Error allocating memory for color-corrected image data"},
      // Claims 300 MB of pixels but holds none: refused before allocating.
      {"claims_more_than_it_holds", encodeBmp({10000, 10000}, {}),
       "Error reading image data from {}.\n"},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = folder.write(std::string(c.name) + ".bmp", c.bytes);
    TextureImage image;
    const ReadResult result = read(path, image);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, replacePath(c.message, path));
    EXPECT_EQ(image.pixels, nullptr);
  }
}

TEST(ReadBmp, MissingFileIsNotFound) {
  TempFolder folder;
  const std::string path = (folder.path() / "missing.bmp").string();
  TextureImage image;
  const ReadResult result = read(path, image);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "File Not Found : " + path + "\n");
}

TEST(ReadBmp, ReordersBlueGreenRedAndKeepsTheFirstStoredRowFirst) {
  // 64 × 64: stored row 0 is all (blue 10, green 20, red 30), row 1 all (1, 2, 3).
  std::vector<uint8_t> rows(64 * 64 * 3, 0);
  for (int x = 0; x < 64; ++x) {
    rows[x * 3 + 0] = 10, rows[x * 3 + 1] = 20, rows[x * 3 + 2] = 30;
    rows[(64 + x) * 3 + 0] = 1, rows[(64 + x) * 3 + 1] = 2, rows[(64 + x) * 3 + 2] = 3;
  }
  TempFolder folder;
  const std::string path = folder.write("valid.bmp", encodeBmp({64, 64}, rows));
  TextureImage image;
  const ReadResult result = read(path, image);
  ASSERT_EQ(result.status, 1);
  EXPECT_EQ(result.output, "");
  EXPECT_EQ(image.width, 64);
  EXPECT_EQ(image.height, 64);
  const uint8_t* p = image.pixels.get();
  EXPECT_EQ((std::vector<int>{p[0], p[1], p[2]}), (std::vector<int>{30, 20, 10}));
  EXPECT_EQ((std::vector<int>{p[64 * 3], p[64 * 3 + 1], p[64 * 3 + 2]}),
            (std::vector<int>{3, 2, 1}));
}

// Every layout that stores the same picture must decode to the same pixels.
TEST(ReadBmp, PaddedRowsLargerHeadersAndTopDownFilesGiveTheSamePicture) {
  struct Case {
    const char* name;
    int width;
    int height;  // as stored: negative for top-down
    uint32_t infoHeaderSize;
    bool rowsReversed;
  };
  const Case cases[] = {
      {"padded_width_3", 3, 2, 40, false}, {"padded_width_5", 5, 3, 40, false},
      {"v5_header", 4, 4, 124, false},     {"v4_header_padded", 7, 2, 108, false},
      {"top_down", 4, -3, 40, true},       {"top_down_padded", 5, -2, 40, true},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int rows = std::abs(c.height);
    // The picture, bottom row first.
    const std::vector<uint8_t> picture = gradientRows(c.width, rows);
    std::vector<uint8_t> stored = picture;
    if (c.rowsReversed) {
      for (int y = 0; y < rows; ++y)
        std::copy_n(&picture[(rows - 1 - y) * c.width * 3], c.width * 3, &stored[y * c.width * 3]);
    }
    BmpLayout layout{c.width, c.height};
    layout.infoHeaderSize = c.infoHeaderSize;
    const std::string path = folder.write(std::string(c.name) + ".bmp", encodeBmp(layout, stored));
    TextureImage image;
    ASSERT_EQ(read(path, image).status, 1);
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, rows);
    for (int y = 0; y < rows; ++y) {
      for (int x = 0; x < c.width; ++x) {
        const uint8_t* p = &image.pixels[(y * c.width + x) * 3];
        ASSERT_EQ((std::vector<int>{p[0], p[1], p[2]}), (std::vector<int>{200, y, x}))
            << "pixel " << x << ", " << y;
      }
    }
  }
}

TEST(ReadBmp, IgnoresSignatureAndKeeps54ForALowPixelOffset) {
  std::vector<uint8_t> bytes = validFile(4, 2);
  bytes[0] = 'X';
  bytes[1] = 'Y';
  for (int i = 10; i < 14; ++i) bytes[i] = 0;  // pixel-data offset 0
  TempFolder folder;
  const std::string path = folder.write("odd_header.bmp", bytes);
  TextureImage image;
  ASSERT_EQ(read(path, image).status, 1);
  EXPECT_EQ(image.pixels[0], 200);
  EXPECT_EQ(image.pixels[2], 0);
  EXPECT_EQ(image.pixels[5], 1);
}

TEST(ReadLittleEndian, LeastSignificantByteFirstAndSignFromTheLast) {
  TempFolder folder;
  const std::string path =
      folder.write("bytes", {0x78, 0x56, 0x34, 0x12, 0xfe, 0xff, 0xff, 0xff, 0x34, 0x12, 0x01});
  FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(readLittleEndian32(file), 0x12345678);
  EXPECT_EQ(readLittleEndian32(file), -2);
  EXPECT_EQ(readLittleEndian16(file), 0x1234);
  EXPECT_EQ(readLittleEndian16(file), 0xff01) << "end of file counts as -1";
  EXPECT_EQ(readLittleEndian32(file), -(1 + 256 + 65536 + 16777216));
  std::fclose(file);
}

// loadTexture ends the program on a bad file: run it in a child process and
// look at its exit status and what it printed (stdout sent to stderr there).
TEST(LoadTextureDeathTest, BadFileEndsTheProcessWithStatusOne) {
  TempFolder folder;
  const std::string missing = (folder.path() / "missing.bmp").string();
  const std::string eightBit = folder.write("eight.bmp", encodeBmp({4, 4, 1, 8}, {}));
  const std::string negative = folder.write("negative.bmp", encodeBmp({-4, 4}, gradientRows(4, 4)));
  struct Case {
    std::string path;
    std::string expected;
  };
  const Case cases[] = {
      {missing, "trying to load " + missing + "\nFile Not Found : " + missing + "\n"},
      {eightBit, "trying to load " + eightBit + "\nBpp from " + eightBit + " is not 24: 8\n"},
      {negative,
       "trying to load " + negative + "\nError allocating memory for color-corrected image data"},
  };
  for (const Case& c : cases) {
    EXPECT_EXIT(
        {
          dup2(STDERR_FILENO, STDOUT_FILENO);
          loadTexture(c.path.c_str(), 0);
        },
        testing::ExitedWithCode(1), "^" + c.expected + "$");
  }
}

}  // namespace
