#include "app/command_menu.h"

#include "render/opengl.h"

#include <cstring>

#include "app/keyboard.h"

std::string menuLabel(const char* label) {
  const struct {
    const char* utf8;
    const char* ascii;
  } signs[] = {{"\u2212", "-"}, {"\u00b0", " degrees"}};
  std::string text = label;
  for (const auto& sign : signs)
    for (size_t at; (at = text.find(sign.utf8)) != std::string::npos;)
      text.replace(at, std::strlen(sign.utf8), sign.ascii);
  return text;
}

void chooseMenuEntry(int entry) {
  const auto commands = commandTable();
  if (entry >= 0 && entry < static_cast<int>(commands.size())) keyboard(commands[entry].key, 0, 0);
}

void attachCommandMenu() {
  glutCreateMenu(chooseMenuEntry);
  const auto commands = commandTable();
  for (size_t entry = 0; entry < commands.size(); ++entry) {
    if (commands[entry].label == nullptr) continue;  // a second key of a command
    const std::string text = std::string(1, static_cast<char>(commands[entry].key)) + "   " +
                             menuLabel(commands[entry].label);
    glutAddMenuEntry(text.c_str(), static_cast<int>(entry));
  }
  glutAttachMenu(GLUT_RIGHT_BUTTON);
}
