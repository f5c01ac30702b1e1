#pragma once

#include "app/key_script.h"

// Plays one script token as the program would take it live: a key through
// the keyboard commands (with its line), a grab, move, release or place
// through the hand, a lab setting through the lab (with its line). Returns false for steps, which
// each player takes in its own loop: the recorder draws a frame after each, the page plays them in
// slices.
bool playToken(const ScriptToken& token);
