#include "app/program_help.h"

#include "app/keyboard.h"

std::string programHelp() {
  std::string text =
      "usage: vantrelle [GLUT options]\n"
      "  A mass-spring cloth hanging in a box, drawn full screen. It reads its ten\n"
      "  textures (.bmp) from the folder it is started in; each key writes one line\n"
      "  here.\n"
      "keys:\n";
  for (const Command& command : commandTable()) {
    if (command.label == nullptr) continue;
    text += "  ";
    text += static_cast<char>(command.key);
    text += "  ";
    text += command.label;
    text += '\n';
  }
  text +=
      "  Q  quit, as q\n"
      "mouse:\n"
      "  left button on the sheet     take hold of the particle under it; move to pull\n"
      "  left button on the ball      carry the lab's ball\n"
      "  Shift and the left button    cut the springs the pointer crosses\n"
      "  let go, or leave the window  let go of it\n"
      "  right button                 a menu of the commands above, and the lab:\n"
      "                               wind, ball, tearing, passes, damping, gravity,\n"
      "                               and the cut tool\n";
  return text;
}
