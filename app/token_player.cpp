#include "app/token_player.h"

#include "app/hand.h"
#include "app/keyboard.h"

bool playToken(const ScriptToken& token) {
  if (const auto* key = std::get_if<KeyPress>(&token)) {
    keyboard(key->key, 0, 0);
  } else if (const auto* hold = std::get_if<GrabHold>(&token)) {
    grabAt(hold->particle, hold->target);
  } else if (const auto* move = std::get_if<GrabMove>(&token)) {
    moveHand(move->target);
  } else if (std::holds_alternative<GrabRelease>(token)) {
    letGo();
  } else if (std::holds_alternative<GrabPlace>(token)) {
    placeHeld();
  } else {
    return false;
  }
  return true;
}
