// The settings the keys step, for the page's sliders: the program's own
// table, so that a slider's notch and its key cannot disagree.
#include <emscripten/emscripten.h>

#include <string>

#include "app/keyboard.h"

namespace {

const KeySetting* setting(int index) {
  const auto settings = keySettings();
  return index >= 0 && index < static_cast<int>(settings.size()) ? &settings[index] : nullptr;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int vantrelleKeySettingCount() {
  return static_cast<int>(keySettings().size());
}

EMSCRIPTEN_KEEPALIVE const char* vantrelleKeySettingName(int index) {
  return setting(index) ? setting(index)->name : "";
}

EMSCRIPTEN_KEEPALIVE const char* vantrelleKeySettingUnit(int index) {
  return setting(index) ? setting(index)->unit : "";
}

// 0 down, 1 up: the key that steps it that way.
EMSCRIPTEN_KEEPALIVE int vantrelleKeySettingKey(int index, int up) {
  if (!setting(index)) return 0;
  return up ? setting(index)->up : setting(index)->down;
}

EMSCRIPTEN_KEEPALIVE double vantrelleKeySettingIncrement(int index) {
  return setting(index) ? setting(index)->increment : 0.0;
}

EMSCRIPTEN_KEEPALIVE double vantrelleKeySettingValue(int index) {
  return setting(index) ? setting(index)->value() : 0.0;
}

// As the key's console line writes it.
EMSCRIPTEN_KEEPALIVE const char* vantrelleKeySettingText(int index) {
  static std::string text;
  text = setting(index) ? setting(index)->text() : "";
  return text.c_str();
}

}  // extern "C"
