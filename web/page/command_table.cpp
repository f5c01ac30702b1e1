// The keyboard's commands for the page's key bar: the program's own table,
// so that the buttons and the keys cannot disagree.
#include <emscripten/emscripten.h>

#include "app/keyboard.h"

extern "C" {

EMSCRIPTEN_KEEPALIVE int vantrelleCommandCount() { return static_cast<int>(commandTable().size()); }

EMSCRIPTEN_KEEPALIVE int vantrelleCommandKey(int index) {
  return index >= 0 && index < vantrelleCommandCount() ? commandTable()[index].key : 0;
}

// Empty for a second key of a command, which gets no button.
EMSCRIPTEN_KEEPALIVE const char* vantrelleCommandLabel(int index) {
  if (index < 0 || index >= vantrelleCommandCount()) return "";
  const char* label = commandTable()[index].label;
  return label != nullptr ? label : "";
}

}  // extern "C"
