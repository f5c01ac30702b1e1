#pragma once

// A key script: keys to press and steps to take, written as tokens separated
// by spaces. A single character is a key press, handled by the keyboard
// commands as if typed; "+N" is N steps of the cloth. The recorder records a
// frame after each step; a link to the page plays the script before its
// first frame.

#include <string>
#include <variant>
#include <vector>

struct KeyPress {
  unsigned char key;
};
struct Steps {
  int count;
};
using ScriptToken = std::variant<KeyPress, Steps>;

// Steps in one token: a million is far beyond any recording or link.
constexpr int MAX_STEPS_PER_TOKEN = 1000000;

// The whole text, or nothing: on a mistake, returns false with one line
// saying what is wrong in `error` and leaves `script` empty.
bool parseScript(const std::string& text, std::vector<ScriptToken>& script, std::string& error);

// A positive decimal number without sign or spaces, up to `limit`.
bool parsePositive(const std::string& text, int limit, int& value);
