#pragma once

// Texture slots 0 to 9. The slot number is itself the GL texture name.
constexpr int TEXTURE_SLOT_COUNT = 10;

// The files loaded at start-up, by slot, relative to the working directory.
constexpr const char* TEXTURE_FILE_NAMES[TEXTURE_SLOT_COUNT] = {
    "heat_ripple.bmp",    "cloth.bmp",
    "jeans.bmp",          "leaf.bmp",
    "cellular_face.bmp",  "burl.bmp",
    "angry_beholder.bmp", "cellular_vorkel.bmp",
    "goldring_globe.bmp", "glazed_globules.bmp",
};

// Start-up, on the GL context: name 0 with a clamped wrap, then one file per
// slot. A file that cannot be loaded ends the program with status 1.
void initDefaultTexture();
void loadTexture(const char* fileName, int slot);
