// A soak test: the real vantrelle on the run's X server, driven for a long
// stretch by random key presses from the whole command table (but the quit
// keys), keys outside the table, drags with the left button (on the sheet
// and anywhere), the right button's menu opened and left without a choice,
// and window resizes down to a few pixels and back, with deliberate
// excursions into the odd states (stiffness above 1 and below 0, time step 0
// and negative, the camera through its look-at point, all pins released,
// every layer on and off). Checked at the end, in order: the program stayed
// alive; every command key wrote exactly its line, no other key wrote
// anything, and the hand wrote only Grab lines, each with its Release;
// resident memory after warm-up stayed within a small bound; q then ended it
// with status 0.
// Usage: vantrelle_soak [--seconds N] [--seed S]
//   (SOAK_SECONDS and SOAK_SEED in the environment do the same.)
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/child_process.h"
#include "tests/key_session.h"
#include "tests/x_screen.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char OTHER_KEYS[] = "b0+AFNPRSTz9 ,./7";
// Resident memory may grow this much after warm-up (driver caches, X buffers).
constexpr long MEMORY_BOUND_KB = 16 * 1024;

// The program's console lines, as its keyboard commands write them.
class KeyboardModel {
 public:
  std::string lineFor(char key) {
    std::ostringstream line;
    switch (key) {
      case '-':
      case '=': {
        // The setting is a float; the sum is formed in double.
        const double sum = static_cast<double>(stiffness_) + (key == '-' ? -0.05 : 0.05);
        stiffness_ = static_cast<float>(sum);
        line << "Sping Constant = " << stiffness_;
        break;
      }
      case '1':
        line << "Restore Constrained Points ";
        break;
      case '2':
        line << "Delete Constrained Points ";
        break;
      case '3':
      case '4':
        rotation_ += key == '3' ? 5 : -5;
        line << "Rotate Angle = " << rotation_;
        break;
      case '5':
        line << "Zoom In ";
        break;
      case '6':
        line << "Zoom Out ";
        break;
      case '[':
      case ']':
        stepSize_ += key == ']' ? 0.5 : -0.5;
        line << "Time Step = " << stepSize_;
        break;
      case 'a':
        line << "Animate ";
        break;
      case 's':
        line << "Step Through ";
        break;
      case 'f':
        line << "Quads";
        break;
      case 'n':
        line << "Normals";
        break;
      case 'p':
        line << "Particles";
        break;
      case 'r':
        line << "Reset = ";
        break;
      case 't':
        line << "Texture is " << ++textures_;
        break;
      default:
        return "";
    }
    line << '\n';
    return line.str();
  }

 private:
  float stiffness_ = 0.5f;
  double stepSize_ = 1.0;
  int rotation_ = 290;
  int textures_ = 0;
};

// Key presses and window changes through the X server's test extension.
class XDriver {
 public:
  bool open() {
    display_ = XOpenDisplay(nullptr);
    int event, error, major, minor;
    return display_ != nullptr && XTestQueryExtension(display_, &event, &error, &major, &minor);
  }
  ~XDriver() {
    if (display_ != nullptr) XCloseDisplay(display_);
  }

  // Waits for the program's window and gives it the keyboard.
  bool findWindow(const char* title, double seconds) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < deadline && window_ == 0) {
      window_ = findWindowByTitle(display_, title);
      if (window_ == 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (window_ == 0) return false;
    // Full screen happens once the program's loop runs.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const Size full = size();
    fullWidth_ = full.width;
    fullHeight_ = full.height;
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    XSync(display_, False);
    return true;
  }

  void press(char character) {
    const KeySym keysym = keysymOf(character);
    const KeyCode code = XKeysymToKeycode(display_, keysym);
    if (code == 0) return;
    const bool shift = XkbKeycodeToKeysym(display_, code, 0, 0) != keysym;
    const KeyCode shiftCode = XKeysymToKeycode(display_, XK_Shift_L);
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    if (shift) XTestFakeKeyEvent(display_, shiftCode, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    if (shift) XTestFakeKeyEvent(display_, shiftCode, False, CurrentTime);
    XSync(display_, False);
  }

  // The pointer, in the window's (full-screen: the screen's) pixels.
  void moveTo(int x, int y) {
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    XSync(display_, False);
  }
  void button(unsigned number, bool down) {
    XTestFakeButtonEvent(display_, number, down ? True : False, CurrentTime);
    XSync(display_, False);
  }

  struct Size {
    int width = 0;
    int height = 0;
  };
  Size size() const {
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, window_, &attributes);
    return {attributes.width, attributes.height};
  }
  Size fullSize() const { return {fullWidth_, fullHeight_}; }

  // As a person does it: leave full screen, drag the window small, and make
  // it full screen again. The window manager keeps a full-screen window the
  // size of the screen.
  void resize(int width, int height) {
    setFullScreen(false);
    XResizeWindow(display_, window_, width, height);
    XSync(display_, False);
  }
  void restoreSize() { setFullScreen(true); }

 private:
  static KeySym keysymOf(char c) {
    switch (c) {
      case '-':
        return XK_minus;
      case '=':
        return XK_equal;
      case '[':
        return XK_bracketleft;
      case ']':
        return XK_bracketright;
      case '+':
        return XK_plus;
      case ' ':
        return XK_space;
      case ',':
        return XK_comma;
      case '.':
        return XK_period;
      case '/':
        return XK_slash;
      default: {
        const char name[2] = {c, '\0'};
        return XStringToKeysym(name);
      }
    }
  }

  // An _NET_WM_STATE request to the window manager, as a client sends it.
  void setFullScreen(bool on) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window_;
    event.xclient.message_type = XInternAtom(display_, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = on ? 1 : 0;  // add or remove
    event.xclient.data.l[1] =
        static_cast<long>(XInternAtom(display_, "_NET_WM_STATE_FULLSCREEN", False));
    event.xclient.data.l[3] = 1;  // from an application
    XSendEvent(display_, DefaultRootWindow(display_), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(display_, False);
  }

  Display* display_ = nullptr;
  Window window_ = 0;
  int fullWidth_ = 0;
  int fullHeight_ = 0;
};

long residentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

int failed(const std::string& check, const std::string& detail) {
  std::printf("soak: FAILED: %s: %s\n", check.c_str(), detail.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = 600;
  unsigned long seed = std::random_device{}();
  if (const char* s = std::getenv("SOAK_SECONDS")) seconds = std::atof(s);
  if (const char* s = std::getenv("SOAK_SEED")) seed = std::strtoul(s, nullptr, 10);
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--seconds") seconds = std::atof(argv[i + 1]);
    if (option == "--seed") seed = std::strtoul(argv[i + 1], nullptr, 10);
  }
  std::printf("soak: %.0f s, seed %lu (SOAK_SEED=%lu replays this run)\n", seconds, seed, seed);
  std::fflush(stdout);
  std::mt19937 random(static_cast<std::mt19937::result_type>(seed));

  ChildProcess program({VANTRELLE}, TEXTURES_DIR, childSanitizerEnvironment());
  if (!program.started()) return failed("start", "could not start " + std::string(VANTRELLE));
  if (!program.waitForOutputEnding(loaderLines(10), 30))
    return failed("start", "the textures did not load:\n" + program.output());
  XDriver x;
  if (!x.open()) return failed("start", "no X display with the XTEST extension");
  if (!x.findWindow("Vantrelle", 30)) return failed("start", "no Vantrelle window appeared");

  KeyboardModel model;
  std::string expected = loaderLines(10);
  long commandKeys = 0;
  long otherKeys = 0;
  long resizes = 0;
  long resized = 0;  // resizes that took effect
  long drags = 0;
  long menus = 0;
  const auto pause = [](int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  };
  auto press = [&](char key) {
    x.press(key);
    const std::string line = model.lineFor(key);
    expected += line;
    ++(line.empty() ? otherKeys : commandKeys);
  };

  // Runs of keys that reach the odd states whatever the random walk does.
  const std::vector<std::string> excursions = {
      std::string(12, '='),        // stiffness above 1
      std::string(25, '-'),        // below 0
      std::string(11, '=') + "r",  // back near the start, sheet laid out again
      "[[[",                       // time step 0, then negative
      "]]]",                       // and back
      std::string(16, '6'),        // the eye through the point it looks at
      std::string(16, '5'),        // and back
      "2aaa",                      // all pins released, animating
      "1",                         // pinned again
      "fnp",                       // every layer switched
      "fnpfnp",                    //
      "rs",                        // reset and a single step
  };
  const std::string commands = commandKeysButQuit();
  const std::string others = OTHER_KEYS;

  const auto start = Clock::now();
  const auto end = start + std::chrono::duration<double>(seconds);
  const auto warmUp = start + std::chrono::duration<double>(std::min(10.0, seconds / 3));
  std::vector<long> memory;
  auto nextSample = warmUp;
  press('a');
  while (Clock::now() < end) {
    if (!program.running()) break;
    const int choice = std::uniform_int_distribution<int>(0, 99)(random);
    const auto uniform = [&](int low, int high) {
      return std::uniform_int_distribution<int>(low, high)(random);
    };
    if (choice < 66) {
      press(commands[std::uniform_int_distribution<size_t>(0, commands.size() - 1)(random)]);
    } else if (choice < 78) {
      press(others[std::uniform_int_distribution<size_t>(0, others.size() - 1)(random)]);
    } else if (choice < 90) {
      for (char key :
           excursions[std::uniform_int_distribution<size_t>(0, excursions.size() - 1)(random)])
        press(key);
    } else if (choice < 95) {
      // From the middle, where the sheet hangs, or from anywhere.
      const XDriver::Size full = x.fullSize();
      const bool middle = uniform(0, 1) == 0;
      const int fromX = middle ? full.width / 2 + uniform(-20, 20) : uniform(0, full.width - 1);
      const int fromY = middle ? full.height / 2 + uniform(-20, 20) : uniform(0, full.height - 1);
      x.moveTo(fromX, fromY);
      x.button(1, true);
      for (int n = 1; n <= 3; ++n) {
        pause(uniform(5, 30));
        x.moveTo(std::clamp(fromX + n * uniform(-30, 30), 0, full.width - 1),
                 std::clamp(fromY + n * uniform(-30, 30), 0, full.height - 1));
      }
      x.button(1, false);
      ++drags;
    } else if (choice < 97) {
      // Opened near the top left, where it unfolds right and down, let go
      // to its left, on no entry (it may stay open), and closed by a click
      // in the far corner: no choice made.
      const int atX = uniform(60, 120), atY = uniform(30, 120);
      x.moveTo(atX, atY);
      x.button(3, true);
      pause(uniform(20, 80));
      x.moveTo(atX - 50, atY);
      x.button(3, false);
      pause(uniform(20, 80));
      x.moveTo(x.fullSize().width - 2, x.fullSize().height - 2);
      x.button(1, true);
      x.button(1, false);
      ++menus;
    } else {
      const int sides[][2] = {{1, 1}, {3, 2}, {2, 5}, {8, 6}, {40, 30}};
      const auto& side = sides[std::uniform_int_distribution<int>(0, 4)(random)];
      x.resize(side[0], side[1]);
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      const XDriver::Size small = x.size();
      resized += small.width < x.fullSize().width && small.height < x.fullSize().height;
      x.restoreSize();
      ++resizes;
    }
    program.readAvailable(0);
    std::this_thread::sleep_for(
        std::chrono::milliseconds(std::uniform_int_distribution<int>(2, 25)(random)));
    if (Clock::now() >= nextSample) {
      memory.push_back(residentKb(program.pid()));
      nextSample += std::chrono::seconds(std::max(1, static_cast<int>(seconds / 30)));
    }
  }

  std::printf(
      "soak: %ld command keys, %ld keys outside the table, %ld drags, %ld menus, %ld resizes "
      "(%ld took effect)\n",
      commandKeys, otherKeys, drags, menus, resizes, resized);
  std::printf("soak: resident memory after warm-up (KiB):");
  for (long kb : memory) std::printf(" %ld", kb);
  std::printf("\n");

  if (resizes > 0 && resized == 0)
    return failed("resizes",
                  "no resize reached the window: the window manager kept it full screen");
  if (!program.running())
    return failed("alive", "the program ended during the run; output so far:\n" + program.output());

  // Every line has arrived once the output, less the hand's lines, is as
  // long as the transcript.
  std::string output;
  long grabs = 0, releases = 0;
  const auto handLinesOut = [&] {
    output.clear();
    grabs = releases = 0;
    std::istringstream lines(program.output());
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind("Grab = ", 0) == 0) {
        ++grabs;
      } else if (line.rfind("Release = ", 0) == 0) {
        ++releases;
      } else {
        output += line + '\n';
      }
    }
  };
  const auto deadline = Clock::now() + std::chrono::seconds(60);
  for (handLinesOut(); output.size() < expected.size() && Clock::now() < deadline; handLinesOut())
    program.readAvailable(100);
  std::printf("soak: the hand took hold %ld times and let go %ld times\n", grabs, releases);
  if (grabs != releases)
    return failed("the hand",
                  std::to_string(grabs) + " grabs but " + std::to_string(releases) + " releases");
  const long lines = std::count(output.begin(), output.end(), '\n');
  const long expectedLines = std::count(expected.begin(), expected.end(), '\n');
  if (output != expected) {
    size_t at = 0;
    while (at < output.size() && at < expected.size() && output[at] == expected[at]) ++at;
    const size_t lineStart = expected.rfind('\n', at == 0 ? 0 : at - 1);
    const size_t from = lineStart == std::string::npos ? 0 : lineStart + 1;
    return failed(
        "one line per command key",
        std::to_string(lines) + " lines written for " + std::to_string(expectedLines) +
            " expected; first difference at line " +
            std::to_string(std::count(expected.begin(), expected.begin() + from, '\n') + 1) +
            ": expected \"" + expected.substr(from, expected.find('\n', from) - from) +
            "\", written \"" + output.substr(from, output.find('\n', from) - from) + "\"");
  }
  std::printf("soak: %ld lines, as expected\n", lines);

  if (memory.size() < 2) return failed("memory", "too few samples; run longer");
  const auto [low, high] = std::minmax_element(memory.begin(), memory.end());
  if (*high - memory.front() > MEMORY_BOUND_KB || *low <= 0)
    return failed("memory", "grew by " + std::to_string(*high - memory.front()) +
                                " KiB after warm-up (bound " + std::to_string(MEMORY_BOUND_KB) +
                                " KiB)");

  x.press('q');
  const int status = program.waitForExit(20);
  if (status != 0)
    return failed("quit", "q ended the program with status " + std::to_string(status));
  std::printf("soak: passed\n");
  return 0;
}
