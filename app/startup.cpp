#include "app/startup.h"

#include "app/startup_sheet.h"
#include "app/view_state.h"
#include "render/scene.h"
#include "render/texture.h"

void prepareScene() {
  initRenderState();
  // All ten must load; a bad file ends the program here with status 1.
  initDefaultTexture();
  for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot) loadTexture(TEXTURE_FILE_NAMES[slot], slot);
  // Laid out flat; the pins pull the top corners into place from the first step.
  setUpStartupCloth(cloth);
  initLighting();
}
