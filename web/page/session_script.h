#pragma once

// Everything that has shaped the program's state since the page opened,
// written as a key script: the link's own script as far as it was played,
// then every key, step and drag since. Played on a fresh page, it brings the
// program to the same state: the link to this moment.

#include <string>

#include "app/key_script.h"

// Consecutive steps are merged, and of the moves between two steps only the
// last one counts (a move only sets where the next step puts the particle).
void noteToken(const ScriptToken& token);

// The script; tokens of more than a million steps are written as several.
std::string sessionScript();
