// Prints the keyboard's commands as a paragraph of plain text, for notes
// that ship with a package: the program's own table, never retyped.
#include <cstdio>
#include <string>
#include <vector>

#include "app/keyboard.h"

int main() {
  constexpr size_t LINE_WIDTH = 72;
  std::vector<std::string> items;
  for (const Command& command : commandTable())
    if (command.label != nullptr)
      items.push_back(std::string(1, static_cast<char>(command.key)) + " " + command.label);
  std::string line = "Keys:";
  for (size_t i = 0; i < items.size(); ++i) {
    const std::string item = items[i] + (i + 1 < items.size() ? "," : ".");
    // Widths in bytes: a label's few UTF-8 signs only make a line shorter.
    if (line.size() + 1 + item.size() > LINE_WIDTH) {
      std::puts(line.c_str());
      line = item;
    } else {
      line += " " + item;
    }
  }
  std::puts(line.c_str());
}
