#pragma once

#include <string>

// The right button's menu: every command with its key, for those who have
// not learnt the keys, then the lab's submenus, the cut tool and the stretch colours. Choosing a
// command does what its key does, line and all; a lab choice plays its
// script token, line and all.
void attachCommandMenu();

// Entry numbers: the commands from 0 in the table's order, the lab's
// choices from LAB_MENU_ENTRIES in the submenus' order.
constexpr int LAB_MENU_ENTRIES = 1000;
constexpr int CUT_TOOL_MENU_ENTRY = 2000;
constexpr int STRETCH_MENU_ENTRY = 2001;

// What choosing entry `entry` does (the menu's callback).
void chooseMenuEntry(int entry);

// A label as the menu draws it: GLUT's bitmap fonts have ASCII only.
std::string menuLabel(const char* label);
