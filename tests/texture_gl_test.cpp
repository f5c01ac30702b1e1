// Textures uploaded through loadTexture onto Mesa's software rasteriser.
#include <gtest/gtest.h>

#include <string>

#include "app/startup_sheet.h"
#include "app/view_state.h"
#include "render/scene.h"
#include "render/texture.h"
#include "sim/plain_step.h"
#include "tests/bmp_fixture.h"
#include "tests/gl_window.h"

namespace {

class TextureGlTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    openTestWindow(500, 400);
    setStartupViewState();
    initRenderState();
    initLighting();
    reshape(500, 400);
  }

  static GLint textureParameter(int name, GLenum parameter) {
    glBindTexture(GL_TEXTURE_2D, name);
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
    return value;
  }
};

TEST_F(TextureGlTest, DefaultTextureIsAClamped64SquareInNameZero) {
  initDefaultTexture();
  EXPECT_EQ(textureParameter(0, GL_TEXTURE_WRAP_S), GL_CLAMP);
  EXPECT_EQ(textureParameter(0, GL_TEXTURE_WRAP_T), GL_CLAMP);
  EXPECT_EQ(textureParameter(0, GL_TEXTURE_MIN_FILTER), GL_NEAREST);
  GLint width = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  EXPECT_EQ(width, 64);
}

TEST_F(TextureGlTest, UploadKeepsRowsStraightForAnyWidth) {
  struct Case {
    int width;
    int height;  // negative: stored top-down
  };
  const Case cases[] = {{4, 4}, {3, 2}, {5, 3}, {7, -2}};
  TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    const int rows = std::abs(c.height);
    std::vector<uint8_t> stored = gradientRows(c.width, rows);
    if (c.height < 0) {
      // Same picture as the bottom-up file: rows in the opposite order.
      const std::vector<uint8_t> picture = stored;
      for (int y = 0; y < rows; ++y)
        std::copy_n(&picture[(rows - 1 - y) * c.width * 3], c.width * 3, &stored[y * c.width * 3]);
    }
    const std::string path = folder.write("fixture.bmp", encodeBmp({c.width, c.height}, stored));
    loadTexture(path.c_str(), 3);

    EXPECT_EQ(textureParameter(3, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    EXPECT_EQ(textureParameter(3, GL_TEXTURE_WRAP_S), GL_REPEAT);
    std::vector<uint8_t> texels(c.width * rows * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    for (int y = 0; y < rows; ++y) {
      for (int x = 0; x < c.width; ++x) {
        const uint8_t* t = &texels[(y * c.width + x) * 3];
        ASSERT_EQ((std::vector<int>{t[0], t[1], t[2]}), (std::vector<int>{200, y, x}))
            << "texel " << x << ", " << y;
      }
    }
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4) << "pixel-store state back at GL's default";
  }
}

TEST_F(TextureGlTest, GeneratedTexturesShowOnTheSheet) {
  const std::string dir = TEXTURES_DIR;
  loadTexture((dir + "/heat_ripple.bmp").c_str(), 0);  // reds and yellows
  loadTexture((dir + "/jeans.bmp").c_str(), 2);        // indigo
  loadTexture((dir + "/leaf.bmp").c_str(), 3);         // greens on a pale ground
  cloth = Cloth();
  layOutStartupGrid(cloth);
  plain::computeFaceNormals(cloth);
  rotationAngle = 0;
  showQuads = true;

  struct Case {
    int slot;
    int (*dominance)(Rgb);  // > 0 where a pixel has the texture's colour
  };
  const Case cases[] = {
      {0, [](Rgb c) { return c.r - c.b - 40; }},
      {2, [](Rgb c) { return c.b - c.r - 20; }},
      {3, [](Rgb c) { return c.g - c.r - 10; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slot);
    currentTexture = c.slot;
    display();
    const Frame frame = Frame::capture();
    int matching = 0;
    int total = 0;
    for (int y = 120; y < 280; ++y) {
      for (int x = 170; x < 330; ++x, ++total) {
        if (c.dominance(frame.at(x, y)) > 0) ++matching;
      }
    }
    EXPECT_GT(matching, total / 8);
  }
}

}  // namespace
