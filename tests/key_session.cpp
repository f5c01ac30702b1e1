#include "tests/key_session.h"

#include "app/keyboard.h"
#include "render/texture.h"
#include "tests/x_screen.h"

std::string loaderLines(int slots) {
  std::string lines;
  for (int slot = 0; slot < slots; ++slot)
    lines += std::string("trying to load ") + TEXTURE_FILE_NAMES[slot] + "\n";
  return lines;
}

std::string commandKeysButQuit() {
  std::string keys;
  for (const Command& command : commandTable())
    if (command.key != 'q' && command.key != 'Q') keys += static_cast<char>(command.key);
  return keys;
}

const std::vector<KeyLine>& commandSession() {
  static const std::vector<KeyLine> session = {
      {"minus", "Sping Constant = 0.45\n"},
      {"equal", "Sping Constant = 0.5\n"},
      {"3", "Rotate Angle = 295\n"},
      {"4", "Rotate Angle = 290\n"},
      {"5", "Zoom In \n"},
      {"6", "Zoom Out \n"},
      {"bracketright", "Time Step = 1.5\n"},
      {"bracketleft", "Time Step = 1\n"},
      {"f", "Quads\n"},
      {"f", "Quads\n"},
      {"n", "Normals\n"},
      {"p", "Particles\n"},
      {"2", "Delete Constrained Points \n"},
      {"1", "Restore Constrained Points \n"},
      {"t", "Texture is 1\n"},
      // Not commands: nothing is written for b, 0, plus or A, so the next
      // line is the reset's.
      {"b", ""},
      {"0", ""},
      {"plus", ""},
      {"A", ""},
      {"r", "Reset = \n"},
      // The setting is a float: ten steps down miss zero.
      {"minus", "Sping Constant = 0.45\n"},
      {"minus", "Sping Constant = 0.4\n"},
      {"minus", "Sping Constant = 0.35\n"},
      {"minus", "Sping Constant = 0.3\n"},
      {"minus", "Sping Constant = 0.25\n"},
      {"minus", "Sping Constant = 0.2\n"},
      {"minus", "Sping Constant = 0.15\n"},
      {"minus", "Sping Constant = 0.1\n"},
      {"minus", "Sping Constant = 0.05\n"},
      {"minus", "Sping Constant = -3.65078e-08\n"},
  };
  return session;
}

bool KeyDriver::press(const KeyLine& key) {
  pressKey(key.keysym);
  transcript_ += key.line;
  if (*key.line == '\0') return true;
  // Waiting for the whole transcript's length tells a repeated line from the
  // one before it.
  return program_.waitForOutputLength(transcript_.size(), secondsPerLine_) &&
         program_.output().ends_with(key.line);
}
