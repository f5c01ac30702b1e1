#pragma once

// Capabilities, and the state WebGL itself holds, kept in the layer's state
// as well so that a restored context gets it back.
#include "web/gl/opengl.h"

// glEnable and glDisable: lighting, texturing and the lights are the layer's
// own switches; depth test and culling are WebGL's.
void setCapability(GLenum capability, bool on);

// Gives a new or restored context the state the program has set, and stores
// its rows from the top, through the clip origin where the browser offers
// it. True where it does not: the shader must flip the rows itself.
bool applyContextState();
