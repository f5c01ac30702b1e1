// The BMP reader against a public test suite of bitmaps nobody here wrote
// (good, questionable and bad files: palettes, run-length and bit-field
// encodings, OS/2 headers, embedded JPEG and PNG, truncated files, absurd
// sizes), fetched by `make test` from Debian's pillow source package into
// the folder VANTRELLE_BMP_SUITE names. Each file is read by the reader in
// this process and, as the last texture, by the real program: a 24-bit file
// loads and shows the suite's own reference picture; any other is refused
// with the reader's one-line message and exit status 1.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "render/bmp_reader.h"
#include "render/texture.h"
#include "tests/bmp_fixture.h"
#include "tests/child_process.h"
#include "tests/key_session.h"

namespace {

namespace fs = std::filesystem;

constexpr int LAST_SLOT = TEXTURE_SLOT_COUNT - 1;

// The suite's reference picture, as RGB rows from the bottom (the reader's
// order).
std::vector<uint8_t> referencePicture(const fs::path& png, int& width, int& height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, png.c_str())) return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> topDown(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, topDown.data(), 0, nullptr)) return {};
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  std::vector<uint8_t> bottomUp(topDown.size());
  const size_t row = static_cast<size_t>(width) * 3;
  for (int y = 0; y < height; ++y)
    std::copy_n(&topDown[(height - 1 - y) * row], row, &bottomUp[y * row]);
  return bottomUp;
}

// What the reader makes of the file under the last texture's name: true
// if it loads; the message it printed either way.
bool readAsLastTexture(const fs::path& file, TextureImage& image, std::string& message) {
  FILE* input = std::fopen(file.c_str(), "rb");
  if (input == nullptr) return false;
  testing::internal::CaptureStdout();
  const bool loaded = readBmpFile(input, TEXTURE_FILE_NAMES[LAST_SLOT], image) == 1;
  message = testing::internal::GetCapturedStdout();
  std::fclose(input);
  return loaded;
}

TEST(BmpSuite, EveryFileLoadsOrIsRefusedWithTheReadersMessage) {
  const char* suiteFolder = std::getenv("VANTRELLE_BMP_SUITE");
  if (suiteFolder == nullptr)
    GTEST_SKIP() << "VANTRELLE_BMP_SUITE is not set (make test fetches the suite)";
  const fs::path suite(suiteFolder);
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(suite))
    if (entry.path().extension() == ".bmp") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  ASSERT_EQ(files.size(), 58u) << "the suite as Debian ships it";

  int referenceWidth = 0, referenceHeight = 0;
  const std::vector<uint8_t> reference =
      referencePicture(suite / "html" / "rgb24.png", referenceWidth, referenceHeight);
  ASSERT_FALSE(reference.empty());

  int loaded = 0;
  for (const fs::path& file : files) {
    SCOPED_TRACE(fs::relative(file, suite).string());
    TextureImage image;
    std::string message;
    const bool loads = readAsLastTexture(file, image, message);

    TempFolder folder;
    for (int slot = 0; slot < LAST_SLOT; ++slot)
      fs::copy_file(fs::path(TEXTURES_DIR) / TEXTURE_FILE_NAMES[slot],
                    folder.path() / TEXTURE_FILE_NAMES[slot]);
    fs::copy_file(file, folder.path() / TEXTURE_FILE_NAMES[LAST_SLOT]);
    ChildProcess program({VANTRELLE}, folder.path(), childSanitizerEnvironment());
    if (loads) {
      ++loaded;
      EXPECT_EQ(message, "");
      // Every 24-bit file of the suite holds the same picture.
      ASSERT_EQ(image.width, referenceWidth);
      ASSERT_EQ(image.height, referenceHeight);
      EXPECT_TRUE(std::equal(reference.begin(), reference.end(), image.pixels.get()))
          << "the picture differs from the suite's reference";
      // Started, the program reads all ten and goes on running.
      EXPECT_TRUE(program.waitForOutputEnding(loaderLines(TEXTURE_SLOT_COUNT), 20))
          << program.output();
      EXPECT_EQ(program.waitForExit(1), -1) << program.output();
    } else {
      ASSERT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
      EXPECT_EQ(program.waitForExit(20), 1);
      EXPECT_EQ(program.output(), loaderLines(TEXTURE_SLOT_COUNT) + message);
    }
  }
  // The plain 24-bit file, and those with a palette or a colour profile
  // beside their pixels.
  EXPECT_EQ(loaded, 5);
}

}  // namespace
