#pragma once

// A key script: keys to press, steps to take and drags to make, written as
// tokens separated by spaces. A single character is a key press, handled by
// the keyboard commands as if typed; "+N" is N steps of the cloth;
// "grab:N@x,y,z" takes hold of particle N with the hand at (x, y, z),
// "move:x,y,z" moves the hand, "release" lets go, and "place" puts the held
// particle on the hand now, at rest, rather than at the next step (what the
// hand does while the sheet stands still). The recorder records a
// frame after each step; a link to the page plays the script before its
// first frame.

#include <string>
#include <variant>
#include <vector>

#include "sim/vector3.h"

struct KeyPress {
  unsigned char key;
};
struct Steps {
  int count;
};
struct GrabHold {
  int particle;
  Vector3 target;
};
struct GrabMove {
  Vector3 target;
};
struct GrabRelease {};
struct GrabPlace {};
using ScriptToken = std::variant<KeyPress, Steps, GrabHold, GrabMove, GrabRelease, GrabPlace>;

// Steps in one token, and in a whole script: a million steps is some five
// minutes of replay in a page, far beyond any recording or link made by hand.
constexpr int MAX_STEPS_PER_TOKEN = 1000000;
constexpr long MAX_SCRIPT_STEPS = 1000000;
// Tokens in a script: a hundred thousand keys is an hour of typing.
constexpr long MAX_SCRIPT_TOKENS = 100000;

// The whole text, or nothing: on a mistake, returns false with one line
// saying what is wrong in `error` and leaves `script` empty.
bool parseScript(const std::string& text, std::vector<ScriptToken>& script, std::string& error);

// Writing is the parser's inverse: parsing what these write gives the same
// tokens back. A key a script can carry is printable, not a space (which
// separates tokens) and not '+' (which starts a step count); the keys it
// cannot carry are no command and change nothing.
bool scriptCarriesKey(unsigned char key);
// One token as a script writes it; a key must be one the script carries.
// Steps beyond one token's limit are written as several tokens.
std::string writeToken(const ScriptToken& token);
// The tokens separated by single spaces.
std::string writeScript(const std::vector<ScriptToken>& script);

// A positive decimal number without sign or spaces, up to `limit`.
bool parsePositive(const std::string& text, int limit, int& value);

// A coordinate as scripts and the hand's console lines write it: the
// shortest decimal that reads back as the same double.
std::string scriptNumber(double value);
// "x,y,z" in scriptNumber's form.
std::string scriptPoint(Vector3 point);
