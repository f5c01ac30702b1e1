#pragma once

// Everything that has shaped the program's state since it started, written
// as a key script: a link's own script as far as it was played, then every
// key, step and drag since. Played on a fresh start, it brings the program
// to the same state: the page's link to this moment.

#include <string>
#include <vector>

#include "app/key_script.h"
#include "sim/cloth.h"

class SessionScript {
 public:
  // Consecutive steps are merged, and of the moves between two steps only
  // the last one counts (a move only sets where the next step puts the
  // particle, and a place after it puts the particle there and at rest,
  // whatever an earlier place did).
  void note(const ScriptToken& token);
  // What the hand did in a call, told by its state before and after it: a
  // new hold, a move, a release, or nothing; then a place if the call placed
  // the held particle.
  void noteHand(const Grab& before, const Grab& now, bool placed);

  // The script; steps of more than one token's limit are written as several.
  std::string text() const { return writeScript(played_); }
  // The steps noted, in all.
  long steps() const { return steps_; }

 private:
  std::vector<ScriptToken> played_;
  long steps_ = 0;
};
