#pragma once

#include "render/scene.h"
#include "sim/cloth.h"

// The lab's ball as a lit, solid, faceted sphere in the cloth's coordinates:
// each face of a cube cut into a grid and pushed out onto the sphere, one
// flat normal per facet. Only + − × ÷ and square roots go into its corners,
// so every build (and the browser's GL layer) draws the same facets.
void drawBall(const Ball& ball);

extern const Material ballMaterial;
