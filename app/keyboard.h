#pragma once

#include <span>

// The keyboard's commands: one character, one command, one console line.
// Keys outside the table do nothing at all.
struct Command {
  unsigned char key;
  const char* label;  // for a button that presses the key; nullptr: a second key, no button
  bool (*run)();      // true: the picture changes, so the window is redrawn
};

// In the order a key bar shows them. The page's key bar, the packages'
// notes and the tests take the keys and labels from here.
std::span<const Command> commandTable();

// GLUT keyboard callback. x and y (the mouse position) are ignored.
void keyboard(unsigned char key, int x, int y);
