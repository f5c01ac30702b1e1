#pragma once

#include <span>
#include <string>

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

// The settings the keys step, for controls whose every notch is one press:
// each one's two keys, the step one press makes, and its value as the
// program holds it and as its console line writes it (float drift and all).
struct KeySetting {
  const char* name;
  const char* unit;  // after the value, for the ear; "" for none
  unsigned char down;
  unsigned char up;
  double increment;
  double (*value)();
  std::string (*text)();
};
std::span<const KeySetting> keySettings();

// GLUT keyboard callback. x and y (the mouse position) are ignored.
void keyboard(unsigned char key, int x, int y);
