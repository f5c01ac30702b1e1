// The scene in words for the page's canvas, which a screen reader reads as
// the picture's description.
#include <emscripten/emscripten.h>

#include <string>

#include "app/scene_description.h"
#include "web/page/live_input.h"

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* vantrelleSceneDescription() {
  static std::string text;
  text = sceneDescription(pageSession.steps());
  return text.c_str();
}

}  // extern "C"
