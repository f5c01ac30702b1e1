#pragma once

#include <string>

// The right button's menu: every command with its key, for those who have
// not learnt the keys. Choosing one does what its key does, line and all.
void attachCommandMenu();

// What choosing entry `entry` does (the menu's callback).
void chooseMenuEntry(int entry);

// A label as the menu draws it: GLUT's bitmap fonts have ASCII only.
std::string menuLabel(const char* label);
