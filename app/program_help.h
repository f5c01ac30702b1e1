#pragma once

#include <string>

// What `vantrelle --help` prints: what the program is, how to run it, its
// keys (from the command table) and what the mouse does.
std::string programHelp();
