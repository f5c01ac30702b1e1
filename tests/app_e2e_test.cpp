// The real vantrelle program, started in a folder of textures on the test
// run's X server and driven by real key events (xdotool, through XTEST).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "render/texture.h"
#include "tests/bmp_fixture.h"

// After everything else: Xlib defines macros such as None.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// A running vantrelle with its standard output on a pipe.
class Program {
 public:
  explicit Program(const std::filesystem::path& folder) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    std::vector<std::string> environment;
    for (char** e = environ; *e != nullptr; ++e)
      if (std::string(*e).rfind("ASAN_OPTIONS=", 0) != 0) environment.emplace_back(*e);
    // In the sanitizer build: the GL driver unloads before the leak check runs
    // and leaves allocations nobody can attribute; the program's own memory
    // is checked by the in-process tests.
    environment.emplace_back("ASAN_OPTIONS=detect_leaks=0");
    std::vector<char*> envp;
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(VANTRELLE), nullptr};
    if (posix_spawn(&pid_, VANTRELLE, &actions, nullptr, argv, envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    output_fd_ = pipeEnds[0];
    fcntl(output_fd_, F_SETFL, O_NONBLOCK);
  }

  ~Program() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (output_fd_ >= 0) close(output_fd_);
  }

  bool started() const { return pid_ > 0; }
  const std::string& output() const { return output_; }

  // Waits until the output ends with the given text.
  bool waitForOutputEnding(const std::string& text, double seconds) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (true) {
      readAvailable(50);
      if (output_.size() >= text.size() &&
          output_.compare(output_.size() - text.size(), text.size(), text) == 0)
        return true;
      if (Clock::now() > deadline) return false;
    }
  }

  // The exit status, or -1 if the program is still running after the wait.
  int waitForExit(double seconds) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < deadline) {
      readAvailable(20);
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        readAvailable(0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
    }
    return -1;
  }

 private:
  void readAvailable(int timeoutMs) {
    pollfd p{output_fd_, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0) return;
    char buffer[4096];
    for (ssize_t n; (n = read(output_fd_, buffer, sizeof buffer)) > 0;) output_.append(buffer, n);
  }

  pid_t pid_ = -1;
  int output_fd_ = -1;
  bool exited_ = false;
  std::string output_;
};

bool run(const std::string& command) { return std::system(command.c_str()) == 0; }

// Real key events through the X server's test extension, to the window under
// the pointer: the full-screen window.
void pressKey(const std::string& keysym) { run("xdotool key --clearmodifiers " + keysym); }

bool waitForWindow() {
  return run("timeout 20 xdotool search --sync --name '^Vantrelle$' >/dev/null") &&
         run("xdotool mousemove 200 200");
}

// The whole screen as the X server shows it.
std::vector<uint32_t> screenshot() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return {};
  const Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, root, &attributes);
  std::vector<uint32_t> pixels;
  if (XImage* image =
          XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap)) {
    for (int y = 0; y < attributes.height; ++y)
      for (int x = 0; x < attributes.width; ++x)
        pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)));
    XDestroyImage(image);
  }
  XCloseDisplay(display);
  return pixels;
}

double differingFraction(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  if (a.empty() || a.size() != b.size()) return 0;
  size_t differing = 0;
  for (size_t i = 0; i < a.size(); ++i) differing += a[i] != b[i];
  return static_cast<double>(differing) / a.size();
}

size_t litPixels(const std::vector<uint32_t>& pixels) {
  size_t lit = 0;
  for (uint32_t p : pixels) lit += (p & 0xffffff) != 0;
  return lit;
}

std::string loaderLines(int slots) {
  std::string lines;
  for (int slot = 0; slot < slots; ++slot)
    lines += std::string("trying to load ") + TEXTURE_FILE_NAMES[slot] + "\n";
  return lines;
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
  ASSERT_TRUE(waitForWindow());
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const std::vector<uint32_t> still = screenshot();
  EXPECT_GT(litPixels(still), still.size() / 20) << "the sheet and the box are on screen";

  std::string transcript = loaderLines(10);
  auto command = [&](const std::string& keysym, const std::string& line) {
    pressKey(keysym);
    transcript += line;
    EXPECT_TRUE(program.waitForOutputEnding(line, 10)) << "after key " << keysym << ":\n"
                                                       << program.output();
  };

  command("a", "Animate \n");
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  const std::vector<uint32_t> moving = screenshot();
  EXPECT_GT(differingFraction(still, moving), 0.01) << "the picture changes as the cloth moves";
  command("s", "Step Through \n");

  struct Command {
    const char* keysym;
    const char* line;
  };
  const Command commands[] = {
      {"minus", "Sping Constant = 0.45\n"},
      {"equal", "Sping Constant = 0.5\n"},
      {"3", "Rotate Angle = 295\n"},
      {"4", "Rotate Angle = 290\n"},
      {"5", "Zoom In \n"},
      {"6", "Zoom Out \n"},
      {"bracketright", "Time Step = 1.5\n"},
      {"bracketleft", "Time Step = 1\n"},
      {"f", "Quads\n"},
      {"f", "Quads\n"},
      {"n", "Normals\n"},
      {"p", "Particles\n"},
      {"2", "Delete Constrained Points \n"},
      {"1", "Restore Constrained Points \n"},
      {"t", "Texture is 1\n"},
      // Not commands: nothing is written for b, 0, plus or A, so the next
      // line is the reset's.
      {"b", ""},
      {"0", ""},
      {"plus", ""},
      {"A", ""},
      {"r", "Reset = \n"},
  };
  for (const Command& c : commands) {
    if (*c.line == '\0') {
      pressKey(c.keysym);
      continue;
    }
    command(c.keysym, c.line);
  }

  // Fifteen steps nearer put the eye on the point it looks at; the program
  // must go on drawing and answering keys.
  command("a", "Animate \n");
  for (int i = 0; i < 15; ++i) command("6", "Zoom Out \n");
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  command("5", "Zoom In \n");

  pressKey("q");
  EXPECT_EQ(program.waitForExit(10), 0);
  EXPECT_EQ(program.output(), transcript);
}

TEST_F(AppEndToEnd, CapitalQQuitsToo) {
  Program program(folder_.path());
  ASSERT_TRUE(program.waitForOutputEnding(loaderLines(10), 20)) << program.output();
  ASSERT_TRUE(waitForWindow());
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
