#include "web/page/live_input.h"

#include <emscripten/emscripten.h>

#include <iterator>
#include <string>
#include <vector>

#include "app/cutter.h"
#include "app/hand.h"
#include "app/token_player.h"
#include "app/view_state.h"
#include "web/page/sheet_series.h"

SessionScript pageSession;

extern "C" {

void vantrelleFrame();
void vantrelleKey(int character);
void vantrelleMouse(int button, int state, int x, int y);
void vantrelleMotion(int x, int y);

// An animation frame: idle steps once if a step is due.
EMSCRIPTEN_KEEPALIVE void vantrelleLiveFrame() {
  const bool stepping = stepPending;
  if (stepping) pageSession.note(Steps{1});
  vantrelleFrame();
  if (stepping) noteStepTaken();
}

// Keys a script cannot carry are no command and change nothing.
EMSCRIPTEN_KEEPALIVE void vantrelleLiveKey(int character) {
  const auto key = static_cast<unsigned char>(character);
  if (scriptCarriesKey(key)) pageSession.note(KeyPress{key});
  vantrelleKey(character);
}

EMSCRIPTEN_KEEPALIVE void vantrelleLiveMouse(int button, int state, int x, int y) {
  const Grab before = handState();
  const long placed = handPlacements();
  vantrelleMouse(button, state, x, y);
  pageSession.noteHand(before, handState(), handPlacements() != placed);
}

EMSCRIPTEN_KEEPALIVE void vantrelleLiveMotion(int x, int y) {
  const Grab before = handState();
  const long placed = handPlacements();
  const long cuts = cutsMade();
  vantrelleMotion(x, y);
  pageSession.noteHand(before, handState(), handPlacements() != placed);
  if (cutsMade() != cuts) pageSession.note(lastCut());
}

// A lab setting from the page's lab panel, as a script token ("passes:10"):
// played with its line and noted in the session. 0 if it is no token or not
// one the panel may send (keys, steps and the hand have their own calls).
EMSCRIPTEN_KEEPALIVE int vantrelleLiveLabToken(const char* text) {
  std::vector<ScriptToken> script;
  std::string error;
  if (!parseScript(text, script, error) || script.size() != 1) return 0;
  const ScriptToken& token = script[0];
  if (std::holds_alternative<KeyPress>(token) || std::holds_alternative<Steps>(token) ||
      std::holds_alternative<GrabHold>(token) || std::holds_alternative<GrabMove>(token) ||
      std::holds_alternative<GrabRelease>(token) || std::holds_alternative<GrabPlace>(token))
    return 0;
  playToken(token);
  pageSession.note(token);
  return 1;
}

EMSCRIPTEN_KEEPALIVE void vantrelleSetCutTool(int on) { setCutTool(on != 0); }

// The lab's settings in force, for the panel to show: 0-2 the wind, 3 the
// ball (1 or 0), 4-6 its centre, 7 its radius, 8 the tearing ratio (0 off),
// 9 the passes, 10 the damping, 11-13 gravity, 14 the springs broken, 15
// the stretch colours (1 or 0).
EMSCRIPTEN_KEEPALIVE double vantrelleLabValue(int which) {
  const double values[] = {cloth.wind.x,
                           cloth.wind.y,
                           cloth.wind.z,
                           cloth.ball.present ? 1.0 : 0.0,
                           cloth.ball.centre.x,
                           cloth.ball.centre.y,
                           cloth.ball.centre.z,
                           cloth.ball.radius,
                           cloth.tearRatio,
                           double(cloth.relaxationPasses),
                           cloth.damping,
                           cloth.gravity.x,
                           cloth.gravity.y,
                           cloth.gravity.z,
                           double(cloth.brokenSprings),
                           showStretch ? 1.0 : 0.0};
  return which >= 0 && which < static_cast<int>(std::size(values)) ? values[which] : 0.0;
}

// The link to this moment's script, or, where it is too long for a link,
// the parser's message prefixed by "!".
EMSCRIPTEN_KEEPALIVE const char* vantrelleSessionScript() {
  static std::string text;
  text = pageSession.text();
  std::vector<ScriptToken> check;
  std::string error;
  if (!parseScript(text, check, error)) text = "!" + error;
  return text.c_str();
}

}  // extern "C"
