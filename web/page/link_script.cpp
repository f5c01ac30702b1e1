// A link is a state: the page's URL fragment is a key script, played before
// the first frame, keys through the keyboard commands (with their lines) and
// steps through the cloth's step; the page goes on live from there.
#include <emscripten/emscripten.h>

#include <string>
#include <vector>

#include "app/hand.h"
#include "app/key_script.h"
#include "app/keyboard.h"
#include "app/view_state.h"

extern "C" {

// Returns the parser's message for a script it refuses (nothing is played
// then), or an empty text.
EMSCRIPTEN_KEEPALIVE const char* vantrellePlayScript(const char* text) {
  static std::string error;
  error.clear();
  std::vector<ScriptToken> script;
  if (!parseScript(text, script, error)) return error.c_str();
  for (const ScriptToken& token : script) {
    if (const auto* key = std::get_if<KeyPress>(&token))
      keyboard(key->key, 0, 0);
    else if (const auto* steps = std::get_if<Steps>(&token))
      for (int n = 0; n < steps->count; ++n) cloth.step();
    else
      playHandToken(token);
  }
  return "";
}

}  // extern "C"
