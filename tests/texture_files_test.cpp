// The generator of the ten textures: same bytes on every run, and every file
// one the reader takes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "render/bmp_reader.h"
#include "render/texture.h"
#include "tests/bmp_fixture.h"

namespace {

TEST(TextureFiles, GeneratorWritesTheSameTenReadableImagesEveryRun) {
  TempFolder first;
  TempFolder second;
  ASSERT_EQ(std::system((std::string(MAKE_TEXTURES) + " " + first.path().string()).c_str()), 0);
  ASSERT_EQ(std::system((std::string(MAKE_TEXTURES) + " " + second.path().string()).c_str()), 0);
  for (const char* name : TEXTURE_FILE_NAMES) {
    SCOPED_TRACE(name);
    const std::string path = (first.path() / name).string();
    const std::vector<uint8_t> bytes = readFile(path);
    EXPECT_EQ(bytes.size(), 54u + 256 * 256 * 3);
    EXPECT_EQ(bytes, readFile((second.path() / name).string()));

    TextureImage image;
    ASSERT_EQ(readBmp(path.c_str(), image), 1);
    EXPECT_EQ(image.width, 256);
    EXPECT_EQ(image.height, 256);
    // A picture, not a flat fill: many distinct colours.
    std::vector<bool> seen(1 << 15, false);
    int distinct = 0;
    for (int i = 0; i < 256 * 256 * 3; i += 3) {
      const int key = (image.pixels[i] >> 3) << 10 | (image.pixels[i + 1] >> 3) << 5 |
                      (image.pixels[i + 2] >> 3);
      if (!seen[key]) seen[key] = true, ++distinct;
    }
    EXPECT_GT(distinct, 8);
  }
}

}  // namespace
