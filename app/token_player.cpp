#include "app/token_player.h"

#include "app/hand.h"
#include "app/keyboard.h"
#include "app/lab.h"

namespace {

// One call for each kind of token.
template <class... Calls>
struct Overloaded : Calls... {
  using Calls::operator()...;
};
template <class... Calls>
Overloaded(Calls...) -> Overloaded<Calls...>;

}  // namespace

bool playToken(const ScriptToken& token) {
  if (std::holds_alternative<Steps>(token)) return false;
  // clang-format off
  std::visit(Overloaded{
      [](const KeyPress& key) { keyboard(key.key, 0, 0); },
      [](const Steps&) {},
      [](const GrabHold& hold) { grabAt(hold.particle, hold.target); },
      [](const GrabMove& move) { moveHand(move.target); },
      [](const GrabRelease&) { letGo(); },
      [](const GrabPlace&) { placeHeld(); },
      [](const SetWind& change) { setWind(change); },
      [](const SetBall& change) { setBall(change); },
      [](const SetTearing& change) { setTearing(change); },
      [](const SetPasses& change) { setPasses(change); },
      [](const SetDamping& change) { setDamping(change); },
      [](const SetGravity& change) { setGravity(change); },
      [](const CutSprings& cut) { cutSprings(cut); },
      [](const SetStretchColours& change) { setStretchColours(change); },
  }, token);
  // clang-format on
  return true;
}
