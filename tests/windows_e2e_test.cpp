// The Windows build, as unpacked from its zip, run under Wine on the test
// run's X server beside the Linux build: the same trajectory to the bit, the
// same console lines for the same keys, the same exit statuses and the same
// picture.
// Usage: windows_e2e_test --wine=WINE --package=FOLDER --digest=EXE
//   FOLDER holds vantrelle.exe and the ten textures; EXE is the Windows
//   build of trajectory_digest. WINEPREFIX is taken from the environment.
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

std::string wine;
std::filesystem::path package;
std::filesystem::path windowsDigest;

// A program under Wine starts slower than a native one.
constexpr double START_SECONDS = 60;

std::vector<std::string> windowsCommand(const std::filesystem::path& exe) {
  return {wine, exe.string()};
}

// Output of a program that exits by itself.
std::string runToEnd(const std::vector<std::string>& command, int* status) {
  ChildProcess program(command, std::filesystem::current_path());
  *status = program.waitForExit(START_SECONDS);
  return program.output();
}

class WindowsBuild : public testing::Test {
 protected:
  void SetUp() override {
    if (wine.empty()) GTEST_SKIP() << "no Windows build given (--wine, --package, --digest)";
    for (const char* name : TEXTURE_FILE_NAMES)
      std::filesystem::copy_file(package / name, folder_.path() / name);
  }

  // The program of each build, started in the folder of textures.
  std::vector<std::string> linuxProgram() const { return {VANTRELLE}; }
  std::vector<std::string> windowsProgram() const {
    return windowsCommand(package / "vantrelle.exe");
  }

  // Starts the program and waits for its window; the steps are single-stepped
  // so both builds reach the same state, and the picture is taken once the
  // last step has been drawn.
  WindowPicture pictureAfterKeys(const std::vector<std::string>& command) {
    ChildProcess program(command, folder_.path());
    EXPECT_TRUE(program.waitForOutputEnding(loaderLines(10), START_SECONDS)) << program.output();
    EXPECT_TRUE(waitForWindow("Vantrelle", START_SECONDS));
    EXPECT_TRUE(waitForFullScreen("Vantrelle", START_SECONDS))
        << "the window covers the screen from (0, 0)";
    KeyDriver keys(program, loaderLines(10));
    const KeyLine session[] = {
        {"t", "Texture is 1\n"},  {"t", "Texture is 2\n"},  {"3", "Rotate Angle = 295\n"},
        {"p", "Particles\n"},     {"n", "Normals\n"},       {"s", "Step Through \n"},
        {"s", "Step Through \n"}, {"s", "Step Through \n"}, {"s", "Step Through \n"},
        {"s", "Step Through \n"}, {"s", "Step Through \n"}, {"s", "Step Through \n"},
    };
    for (const KeyLine& key : session) EXPECT_TRUE(keys.press(key)) << program.output();
    WindowPicture picture = steadyPicture();
    pressKey("q");
    EXPECT_EQ(program.waitForExit(START_SECONDS), 0);
    return picture;
  }

  // The window's picture once two captures a moment apart agree.
  static WindowPicture steadyPicture() {
    WindowPicture previous = captureWindow("Vantrelle");
    for (int attempt = 0; attempt < 20; ++attempt) {
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      WindowPicture next = captureWindow("Vantrelle");
      if (next.screen.pixels == previous.screen.pixels) return next;
      previous = std::move(next);
    }
    return previous;
  }

  TempFolder folder_;
};

TEST_F(WindowsBuild, TrajectoryIsTheLinuxOneToTheBit) {
  int linuxStatus = -1;
  int windowsStatus = -1;
  const std::string linuxDigest = runToEnd({TRAJECTORY_DIGEST}, &linuxStatus);
  const std::string windowsDigestOutput = runToEnd(windowsCommand(windowsDigest), &windowsStatus);
  EXPECT_EQ(linuxStatus, 0);
  EXPECT_EQ(windowsStatus, 0);
  EXPECT_NE(linuxDigest.find("step 400 digest"), std::string::npos) << linuxDigest;
  EXPECT_EQ(windowsDigestOutput, linuxDigest);
}

TEST_F(WindowsBuild, EveryCommandEchoesItsLinuxLineAndQQuitsWithZero) {
  ChildProcess program(windowsProgram(), folder_.path());
  ASSERT_TRUE(program.waitForOutputEnding(loaderLines(10), START_SECONDS)) << program.output();
  ASSERT_TRUE(waitForWindow("Vantrelle", START_SECONDS));
  KeyDriver keys(program, loaderLines(10));
  EXPECT_TRUE(keys.press("a", "Animate \n"));
  EXPECT_TRUE(keys.press("s", "Step Through \n"));
  for (const KeyLine& key : commandSession())
    EXPECT_TRUE(keys.press(key)) << "after key " << key.keysym << ":\n" << program.output();
  pressKey("q");
  EXPECT_EQ(program.waitForExit(START_SECONDS), 0);
  EXPECT_EQ(program.output(), keys.transcript());
}

TEST_F(WindowsBuild, MissingTextureEndsStartUpWithStatusOneAfterTheMessage) {
  std::filesystem::remove(folder_.path() / "burl.bmp");
  ChildProcess program(windowsProgram(), folder_.path());
  EXPECT_EQ(program.waitForExit(START_SECONDS), 1);
  EXPECT_EQ(program.output(), loaderLines(6) + "File Not Found : burl.bmp\n");
}

TEST_F(WindowsBuild, DrawsTheLinuxPictureAfterTheSameKeys) {
  const WindowPicture linuxPicture = pictureAfterKeys(linuxProgram());
  const WindowPicture windowsPicture = pictureAfterKeys(windowsProgram());
  ASSERT_TRUE(linuxPicture.found());
  ASSERT_TRUE(windowsPicture.found());
  EXPECT_EQ(windowsPicture.width, linuxPicture.width);
  EXPECT_EQ(windowsPicture.height, linuxPicture.height);
  const PictureComparison comparison = comparePictures(linuxPicture, windowsPicture);
  EXPECT_EQ(comparison.differing, 0) << "of " << comparison.compared << " pixels";
  EXPECT_GT(litPixels(windowsPicture.screen), windowsPicture.screen.pixels.size() / 20);
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    auto value = [&](const std::string& flag) {
      return argument.rfind(flag, 0) == 0 ? argument.substr(flag.size()) : std::string();
    };
    if (!value("--wine=").empty()) wine = value("--wine=");
    // The programs start in folders of their own: paths must not be relative.
    if (!value("--package=").empty()) package = std::filesystem::absolute(value("--package="));
    if (!value("--digest=").empty()) windowsDigest = std::filesystem::absolute(value("--digest="));
  }
  return RUN_ALL_TESTS();
}
