// The texture files the page fetches into the program's working directory
// before main runs: the program's own list, so the two cannot disagree.
#include <emscripten/emscripten.h>

#include "render/texture.h"

extern "C" {

EMSCRIPTEN_KEEPALIVE int vantrelleTextureFileCount() { return TEXTURE_SLOT_COUNT; }

EMSCRIPTEN_KEEPALIVE const char* vantrelleTextureFileName(int slot) {
  return slot >= 0 && slot < TEXTURE_SLOT_COUNT ? TEXTURE_FILE_NAMES[slot] : "";
}

}  // extern "C"
