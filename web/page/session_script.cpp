#include "web/page/session_script.h"

#include <emscripten/emscripten.h>

#include <vector>

#include "app/view_state.h"

namespace {

std::vector<ScriptToken> played;

// What the hand did in a call, told by its state before and after.
void noteHand(const Grab& before) {
  const Grab& now = cloth.grab;
  if (now.active && (!before.active || now.particle != before.particle))
    noteToken(GrabHold{now.particle, now.target});
  else if (now.active && (now.target.x != before.target.x || now.target.y != before.target.y ||
                          now.target.z != before.target.z))
    noteToken(GrabMove{now.target});
  else if (!now.active && before.active)
    noteToken(GrabRelease{});
}

}  // namespace

void noteToken(const ScriptToken& token) {
  if (!played.empty()) {
    auto* steps = std::get_if<Steps>(&played.back());
    const auto* more = std::get_if<Steps>(&token);
    if (steps != nullptr && more != nullptr) {
      steps->count += more->count;
      return;
    }
    if (std::holds_alternative<GrabMove>(played.back()) &&
        std::holds_alternative<GrabMove>(token)) {
      played.back() = token;
      return;
    }
  }
  played.push_back(token);
}

std::string sessionScript() { return writeScript(played); }

// The page's live input goes through here, on its way to GLUT's callbacks,
// so that the session's script sees it.
extern "C" {

void vantrelleFrame();
void vantrelleKey(int character);
void vantrelleMouse(int button, int state, int x, int y);
void vantrelleMotion(int x, int y);

// An animation frame: idle steps once if a step is due.
EMSCRIPTEN_KEEPALIVE void vantrelleLiveFrame() {
  if (stepPending) noteToken(Steps{1});
  vantrelleFrame();
}

EMSCRIPTEN_KEEPALIVE void vantrelleLiveKey(int character) {
  const auto key = static_cast<unsigned char>(character);
  if (scriptCarriesKey(key)) noteToken(KeyPress{key});
  vantrelleKey(character);
}

EMSCRIPTEN_KEEPALIVE void vantrelleLiveMouse(int button, int state, int x, int y) {
  const Grab before = cloth.grab;
  vantrelleMouse(button, state, x, y);
  noteHand(before);
}

EMSCRIPTEN_KEEPALIVE void vantrelleLiveMotion(int x, int y) {
  const Grab before = cloth.grab;
  vantrelleMotion(x, y);
  noteHand(before);
}

// The link to this moment's script, or, where it is too long for a link,
// the parser's message prefixed by "!".
EMSCRIPTEN_KEEPALIVE const char* vantrelleSessionScript() {
  static std::string text;
  text = sessionScript();
  std::vector<ScriptToken> check;
  std::string error;
  if (!parseScript(text, check, error)) text = "!" + error;
  return text.c_str();
}

}  // extern "C"
