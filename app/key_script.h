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
// The hand takes the lab's ball rather than a particle: "grab:ball@x,y,z"
// puts the ball's centre on the hand, and moves carry it.
constexpr int BALL_IN_HAND = -1;
struct GrabHold {
  int particle;  // or BALL_IN_HAND
  Vector3 target;
};
struct GrabMove {
  Vector3 target;
};
struct GrabRelease {};
struct GrabPlace {};

// The lab's settings, each a token: "wind:x,y,z" ("wind:0,0,0" for none),
// "ball:x,y,z,r" and "ball:off", "tear:k" and "tear:off", "passes:n",
// "damping:d", "gravity:x,y,z"; and "cut:ax,ay,az,bx,by,bz,cx,cy,cz", which
// breaks the springs crossing the triangle a, b, c.
struct SetWind {
  Vector3 wind;
};
struct SetBall {
  bool present;
  Vector3 centre;
  double radius;
};
struct SetTearing {
  double ratio;  // 0: off
};
struct SetPasses {
  int passes;
};
struct SetDamping {
  double damping;
};
struct SetGravity {
  Vector3 gravity;
};
struct CutSprings {
  Vector3 a, b, c;
};
// A view rather than the lab: "stretch:on" colours the quads by how far
// their springs are stretched, "stretch:off" textures them again.
struct SetStretchColours {
  bool on;
};

using ScriptToken =
    std::variant<KeyPress, Steps, GrabHold, GrabMove, GrabRelease, GrabPlace, SetWind, SetBall,
                 SetTearing, SetPasses, SetDamping, SetGravity, CutSprings, SetStretchColours>;

// The lab's ranges. Wind and gravity: each component, scene units per
// step², a hundred times the start-up gravity's pull. Points: any the
// scene could use, bounded so that their arithmetic stays finite.
constexpr double MAX_LAB_FORCE = 1.0;
constexpr double MAX_LAB_COORDINATE = 1e6;
constexpr double MAX_BALL_RADIUS = 100.0;
constexpr double MAX_TEAR_RATIO = 100.0;
constexpr int MAX_RELAXATION_PASSES = 100;

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
