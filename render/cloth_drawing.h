#pragma once

// Length of a drawn normal marker per unit of normal, scene units.
constexpr double NORMAL_DRAW_SCALE = 5.0;

// Draws the global cloth's layers (quads, particles, normal markers) as the
// view state switches them, under the frame that maps cloth space into the
// box. Each marker is a line from its quad's first corner along the face
// normal, with a point at its tip.
void drawCloth();

// Quad q of the global cloth inside a GL_QUADS batch: its face normal,
// then its corners with their texture coordinates.
void drawQuadCorners(int q);
