// A link is a state: the page's URL fragment is a key script, played before
// the first frame, keys through the keyboard commands (with their lines),
// steps through the cloth's step and drags through the hand. It is played in
// slices of a few milliseconds, so that the page goes on answering while a
// long script plays; the page goes on live from where the script ends (or
// where the person stopped it).
#include <emscripten/emscripten.h>

#include <string>
#include <vector>

#include "app/key_script.h"
#include "app/token_player.h"
#include "app/view_state.h"
#include "web/page/live_input.h"
#include "web/page/sheet_series.h"

namespace {

struct Replay {
  std::vector<ScriptToken> script;
  size_t next = 0;         // the token being played
  int stepsIntoToken = 0;  // of a steps token, the steps already taken
  double stepsTotal = 0;
  double stepsDone = 0;
};
Replay replay;

// Plays one token, or as many of its steps as time allows; true once the
// token is done.
bool playSome(const ScriptToken& token, double deadline) {
  const auto* steps = std::get_if<Steps>(&token);
  if (steps == nullptr) {
    playToken(token);
    pageSession.note(token);
    return true;
  }
  int taken = 0;
  while (replay.stepsIntoToken < steps->count && emscripten_get_now() < deadline) {
    // As an idle call that steps leaves it: a step that s asked for is
    // taken, and animating asks for the next. The page then goes on live
    // exactly as the page the link was made on.
    cloth.step();
    noteStepTaken();
    stepPending = animating;
    ++replay.stepsIntoToken;
    ++taken;
  }
  replay.stepsDone += taken;
  if (taken > 0) pageSession.note(Steps{taken});
  return replay.stepsIntoToken == steps->count;
}

}  // namespace

extern "C" {

// Takes the link's script; returns the parser's message for a script it
// refuses (nothing will be played then), or an empty text.
EMSCRIPTEN_KEEPALIVE const char* vantrelleLoadScript(const char* text) {
  static std::string error;
  error.clear();
  replay = Replay{};
  if (!parseScript(text, replay.script, error)) return error.c_str();
  for (const ScriptToken& token : replay.script)
    if (const auto* steps = std::get_if<Steps>(&token)) replay.stepsTotal += steps->count;
  return "";
}

// Plays for about this many milliseconds; returns whether anything is left.
EMSCRIPTEN_KEEPALIVE int vantrellePlayFor(double milliseconds) {
  const double deadline = emscripten_get_now() + milliseconds;
  while (replay.next < replay.script.size()) {
    if (!playSome(replay.script[replay.next], deadline)) return 1;
    ++replay.next;
    replay.stepsIntoToken = 0;
    // A key's line costs the page more than the key costs the program.
    if (emscripten_get_now() >= deadline) break;
  }
  return replay.next < replay.script.size();
}

EMSCRIPTEN_KEEPALIVE double vantrelleReplayStepsDone() { return replay.stepsDone; }
EMSCRIPTEN_KEEPALIVE double vantrelleReplayStepsTotal() { return replay.stepsTotal; }
// Of the script's tokens, how many are played: the progress of a script of keys.
EMSCRIPTEN_KEEPALIVE double vantrelleReplayTokensDone() { return replay.next; }
EMSCRIPTEN_KEEPALIVE double vantrelleReplayTokensTotal() { return replay.script.size(); }

// The rest is dropped: the page goes on live from the step reached (the
// counts stay, for the page to say where that was).
EMSCRIPTEN_KEEPALIVE void vantrelleStopReplay() {
  replay.script.clear();
  replay.next = 0;
}

}  // extern "C"
