// The real vantrelle program, started in a folder of textures on the test
// run's X server and driven by real key events (xdotool, through XTEST).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <thread>
#include <vector>

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

// Waits until the program's output after `from` characters matches the
// pattern in full; returns the groups (the whole match first), or nothing.
std::vector<std::string> waitForLines(ChildProcess& program, size_t from, const std::regex& pattern,
                                      double seconds = 10) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    program.readAvailable(100);
    const std::string rest = program.output().substr(from);
    std::smatch match;
    if (std::regex_match(rest, match, pattern)) return {match.begin(), match.end()};
  }
  return {};
}

// A point well inside the sheet as the window shows it: the point nearest
// the window's middle whose neighbourhood is lit nearly throughout (the
// texture has dark lines; the box's lines are thin).
std::pair<int, int> pointOnTheSheet(const WindowPicture& picture) {
  auto lit = [&](int x, int y) {
    const uint32_t p = picture.at(x, y);
    return ((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255) > 20;
  };
  std::pair<int, int> best{-1, -1};
  long bestDistance = -1;
  for (int y = 20; y < picture.height - 20; y += 4) {
    for (int x = 20; x < picture.width - 20; x += 4) {
      int litAround = 0;
      for (int dy = -12; dy <= 12; dy += 4)
        for (int dx = -12; dx <= 12; dx += 4) litAround += lit(x + dx, y + dy);
      if (litAround < 42) continue;  // of 49
      const long distance = static_cast<long>(x - picture.width / 2) * (x - picture.width / 2) +
                            static_cast<long>(y - picture.height / 2) * (y - picture.height / 2);
      if (bestDistance < 0 || distance < bestDistance) {
        best = {x, y};
        bestDistance = distance;
      }
    }
  }
  return best;
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

TEST_F(AppEndToEnd, DraggingPullsTheSheetAndRLaysItFlatAsIfNeverTouched) {
  const char* STEP = "Step Through \n";
  struct Session {
    WindowPicture pulled;  // after six steps
    WindowPicture reset;   // after r and one more step
    std::string output;
    int placedPixels = 0;  // changed by the hand before any step
  };
  auto run = [&](bool drag) {
    Session session;
    Program program(folder_.path());
    EXPECT_TRUE(program.waitForOutputEnding(loaderLines(10), 20)) << program.output();
    EXPECT_TRUE(waitForWindow("Vantrelle"));
    EXPECT_TRUE(waitForFullScreen("Vantrelle"));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    auto keys = std::make_unique<KeyDriver>(program, loaderLines(10));
    // One step lights the sheet: its normals are computed by the first step.
    EXPECT_TRUE(keys->press("s", STEP));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    if (drag) {
      const auto [x, y] = pointOnTheSheet(captureWindow("Vantrelle"));
      EXPECT_GE(x, 0) << "the sheet is on screen";
      moveMouse(x, y);
      leftButton(true);
      const std::regex grabLine("Grab = ([0-9]+) at [-0-9.e+]+,[-0-9.e+]+,[-0-9.e+]+\n");
      const auto grab = waitForLines(program, keys->transcript().size(), grabLine);
      EXPECT_FALSE(grab.empty()) << program.output();
      const std::string particle = grab.empty() ? "" : grab[1];
      // The sheet stands still: the hand shows the pull at once.
      const WindowPicture held = captureWindow("Vantrelle");
      moveMouse(x + 40, y - 25);
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      session.placedPixels = comparePictures(captureWindow("Vantrelle"), held).differing;
      for (int n = 0; n < 6; ++n) {
        moveMouse(x + 40 * n, y - 25 * n);  // each step pulls further
        const size_t before = program.output().size();
        pressKeyDuringDrag("s");
        EXPECT_FALSE(waitForLines(program, before, std::regex(STEP)).empty()) << program.output();
      }
      session.pulled = captureWindow("Vantrelle");
      // r while the button is still down: the hand lets go first.
      const size_t before = program.output().size();
      pressKeyDuringDrag("r");
      const std::regex resetLines("Release = " + particle +
                                  " at [-0-9.e+]+,[-0-9.e+]+,[-0-9.e+]+\nReset = \n");
      EXPECT_FALSE(waitForLines(program, before, resetLines).empty()) << program.output();
      leftButton(false);  // nothing is held: nothing to say
      keys = std::make_unique<KeyDriver>(program, program.output());
    } else {
      for (int n = 0; n < 6; ++n) EXPECT_TRUE(keys->press("s", STEP));
      session.pulled = captureWindow("Vantrelle");
      EXPECT_TRUE(keys->press("r", "Reset = \n"));
    }
    const size_t afterReset = program.output().size();
    EXPECT_TRUE(keys->press("s", STEP));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    session.reset = captureWindow("Vantrelle");
    pressKey("q");
    EXPECT_EQ(program.waitForExit(10), 0);
    session.output = program.output().substr(afterReset);
    return session;
  };
  const Session dragged = run(true);
  const Session untouched = run(false);

  const PictureComparison pulled = comparePictures(dragged.pulled, untouched.pulled);
  EXPECT_GT(pulled.differing, pulled.compared / 100) << "the drag moved the sheet";
  EXPECT_GT(dragged.placedPixels, 100) << "the held particle is drawn at the hand before a step";
  const PictureComparison reset = comparePictures(dragged.reset, untouched.reset);
  EXPECT_EQ(reset.differing, 0) << "of " << reset.compared << " pixels after r and a step";
  EXPECT_EQ(dragged.output, untouched.output);
  EXPECT_EQ(dragged.output, STEP);
}

// Shift and the left button cut: the springs the stroke crosses break, with
// the cut's line, and no particle is taken.
TEST_F(AppEndToEnd, ShiftAndTheLeftButtonCutTheSheet) {
  Program program(folder_.path());
  ASSERT_TRUE(program.waitForOutputEnding(loaderLines(10), 20)) << program.output();
  ASSERT_TRUE(waitForWindow("Vantrelle"));
  ASSERT_TRUE(waitForFullScreen("Vantrelle"));
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  KeyDriver keys(program, loaderLines(10));
  EXPECT_TRUE(keys.press("s", "Step Through \n"));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const auto [x, y] = pointOnTheSheet(captureWindow("Vantrelle"));
  ASSERT_GE(x, 0) << "the sheet is on screen";
  const size_t before = program.output().size();
  moveMouse(x - 40, y - 40);
  holdKey("shift", true);
  leftButton(true);
  for (int n = 1; n <= 8; ++n) moveMouse(x - 40 + 10 * n, y - 40 + 10 * n);
  leftButton(false);
  holdKey("shift", false);
  EXPECT_FALSE(waitForLines(program, before, std::regex("(Cut = [0-9]+\n)+")).empty())
      << program.output();
  EXPECT_EQ(program.output().find("Grab ="), std::string::npos) << program.output();
  pressKey("q");
  EXPECT_EQ(program.waitForExit(10), 0);
}

// --help answers before any window or texture: the keys, each with its
// label, and the mouse.
TEST_F(AppEndToEnd, HelpListsTheKeysAndTheMouseAndOpensNoWindow) {
  ChildProcess help({VANTRELLE, "--help"}, folder_.path(), childSanitizerEnvironment());
  ASSERT_EQ(help.waitForExit(10), 0);
  const std::string& text = help.output();
  EXPECT_EQ(text.find("trying to load"), std::string::npos) << text;
  for (const char* line : {"\n  a  animate\n", "\n  s  one step\n", "\n  t  next texture\n",
                           "\n  q  quit\n", "\n  Q  quit, as q\n", "\nmouse:\n", "right button"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " in:\n" << text;
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
