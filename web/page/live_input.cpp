#include "web/page/live_input.h"

#include <emscripten/emscripten.h>

#include <string>
#include <vector>

#include "app/cutter.h"
#include "app/hand.h"
#include "app/view_state.h"

SessionScript pageSession;

extern "C" {

void vantrelleFrame();
void vantrelleKey(int character);
void vantrelleMouse(int button, int state, int x, int y);
void vantrelleMotion(int x, int y);

// An animation frame: idle steps once if a step is due.
EMSCRIPTEN_KEEPALIVE void vantrelleLiveFrame() {
  if (stepPending) pageSession.note(Steps{1});
  vantrelleFrame();
}

// Keys a script cannot carry are no command and change nothing.
EMSCRIPTEN_KEEPALIVE void vantrelleLiveKey(int character) {
  const auto key = static_cast<unsigned char>(character);
  if (scriptCarriesKey(key)) pageSession.note(KeyPress{key});
  vantrelleKey(character);
}

EMSCRIPTEN_KEEPALIVE void vantrelleLiveMouse(int button, int state, int x, int y) {
  const Grab before = cloth.grab;
  const long placed = handPlacements();
  vantrelleMouse(button, state, x, y);
  pageSession.noteHand(before, cloth.grab, handPlacements() != placed);
}

EMSCRIPTEN_KEEPALIVE void vantrelleLiveMotion(int x, int y) {
  const Grab before = cloth.grab;
  const long placed = handPlacements();
  const long cuts = cutsMade();
  vantrelleMotion(x, y);
  pageSession.noteHand(before, cloth.grab, handPlacements() != placed);
  if (cutsMade() != cuts) pageSession.note(lastCut());
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
