#pragma once

// The fixed-function GL state, the camera, the lights and the frame.

// Front-face material: RGBA reflectances and the specular exponent.
struct Material {
  float ambient[4];
  float diffuse[4];
  float specular[4];
  float shininess;
};

extern const Material boxMaterial;      // dim green wire box
extern const Material clothMaterial;    // the quads
extern const Material markerMaterial;   // particles and normal markers
extern const Material startupMaterial;  // applied once by initLighting

// A directional light (w = 0): position is the direction the light comes from.
struct LightSource {
  float position[4];
  float ambient[4];
  float diffuse[4];
  float specular[4];
};

// GL_LIGHT0 to GL_LIGHT3; the fourth is loaded but never switched on.
constexpr int LIGHT_COUNT = 4;
constexpr int ENABLED_LIGHT_COUNT = 3;
extern const LightSource lightTable[LIGHT_COUNT];

void applyMaterial(Material m);

// Start-up, once each: before the textures, and after the cloth is set up.
void initRenderState();
void initLighting();

// GLUT callbacks. display() is drawFrame(drawCloth).
void display();
void reshape(int width, int height);

// One frame, camera and box first, with the cloth drawn by the given
// function under the frame shift (and the lab's ball, if there is one),
// then the buffers swapped.
void drawFrame(void (*drawClothLayers)());

// The frame's camera, turn and shift, loaded into the current modelview
// matrix: the cloth's coordinates as the frame draws them.
void loadFrameCamera();
