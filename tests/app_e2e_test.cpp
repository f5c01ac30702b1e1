// The real vantrelle program, started in a folder of textures on the test
// run's X server and driven by real key events (xdotool, through XTEST).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "render/texture.h"
#include "tests/bmp_fixture.h"
#include "tests/child_process.h"
#include "tests/key_session.h"
#include "tests/x_screen.h"

namespace {

// The real program, started in the folder.
class Program : public ChildProcess {
 public:
  explicit Program(const std::filesystem::path& folder)
      : ChildProcess({VANTRELLE}, folder, childSanitizerEnvironment()) {}
};

double differingFraction(const ScreenImage& a, const ScreenImage& b) {
  if (a.pixels.empty() || a.pixels.size() != b.pixels.size()) return 0;
  size_t differing = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) differing += a.pixels[i] != b.pixels[i];
  return static_cast<double>(differing) / a.pixels.size();
}

class AppEndToEnd : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : TEXTURE_FILE_NAMES)
      std::filesystem::copy_file(std::filesystem::path(TEXTURES_DIR) / name, folder_.path() / name);
  }
  TempFolder folder_;
};

TEST_F(AppEndToEnd, ScriptedSessionEchoesEveryCommandAndQuits) {
  Program program(folder_.path());
  ASSERT_TRUE(program.started());
  ASSERT_TRUE(program.waitForOutputEnding(loaderLines(10), 20)) << program.output();
  ASSERT_TRUE(waitForWindow("Vantrelle"));
  ASSERT_TRUE(waitForFullScreen("Vantrelle")) << "the window covers the screen from (0, 0)";
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const ScreenImage still = captureScreen();
  EXPECT_GT(litPixels(still), still.pixels.size() / 20) << "the sheet and the box are on screen";

  KeyDriver keys(program, loaderLines(10));
  auto press = [&](const std::string& keysym, const std::string& line) {
    EXPECT_TRUE(keys.press(keysym, line)) << "after key " << keysym << ":\n" << program.output();
  };

  press("a", "Animate \n");
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  const ScreenImage moving = captureScreen();
  EXPECT_GT(differingFraction(still, moving), 0.01) << "the picture changes as the cloth moves";
  press("s", "Step Through \n");
  for (const KeyLine& key : commandSession()) press(key.keysym, key.line);

  // Fifteen steps nearer put the eye on the point it looks at; the program
  // must go on drawing and answering keys.
  press("a", "Animate \n");
  for (int i = 0; i < 15; ++i) press("6", "Zoom Out \n");
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  press("5", "Zoom In \n");

  pressKey("q");
  EXPECT_EQ(program.waitForExit(10), 0);
  EXPECT_EQ(program.output(), keys.transcript());
}

TEST_F(AppEndToEnd, CapitalQQuitsToo) {
  Program program(folder_.path());
  ASSERT_TRUE(program.waitForOutputEnding(loaderLines(10), 20)) << program.output();
  ASSERT_TRUE(waitForWindow("Vantrelle"));
  pressKey("Q");
  EXPECT_EQ(program.waitForExit(10), 0);
  EXPECT_EQ(program.output(), loaderLines(10));
}

TEST_F(AppEndToEnd, MissingOrBrokenTextureEndsStartUpWithStatusOne) {
  struct Case {
    int slot;
    bool remove;  // otherwise replaced with an 8-bit bitmap
    std::string message;
  };
  const Case cases[] = {
      {5, true, "File Not Found : burl.bmp\n"},
      {1, false, "Bpp from cloth.bmp is not 24: 8\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(TEXTURE_FILE_NAMES[c.slot]);
    TempFolder folder;
    for (const char* name : TEXTURE_FILE_NAMES)
      std::filesystem::copy_file(folder_.path() / name, folder.path() / name);
    const std::filesystem::path damaged = folder.path() / TEXTURE_FILE_NAMES[c.slot];
    std::filesystem::remove(damaged);
    if (!c.remove) folder.write(TEXTURE_FILE_NAMES[c.slot], encodeBmp({4, 4, 1, 8}, {}));

    Program program(folder.path());
    EXPECT_EQ(program.waitForExit(20), 1);
    EXPECT_EQ(program.output(), loaderLines(c.slot + 1) + c.message);
  }
}

}  // namespace
