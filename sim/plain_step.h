#pragma once

#include "sim/cloth.h"

// The time step as a plain transcription of the algorithm: four phases, one
// loop each, every value computed exactly as the rules state it. It is the
// oracle that Cloth::step is tested against, value for value, and the
// baseline its speed is measured against; the program never links it.
namespace plain {

// computeFaceNormals, applyGravity (and the lab's wind), integrate,
// satisfyConstraints, then the lab's tearing, in order.
void step(Cloth& cloth);

// Normals first, so they describe the sheet before this step moves it.
void computeFaceNormals(Cloth& cloth);
void applyGravity(Cloth& cloth);
// Damped position Verlet, with the cloth's damping; the time step enters
// only as its square.
void integrate(Cloth& cloth);
// The in-place passes (one at start-up): clamp each particle into the box
// and relax its eight springs; then the lab's ball keeps the sheet out, and
// every pinned particle goes back on its pin, and a held one on its hand's
// target.
void satisfyConstraints(Cloth& cloth);

}  // namespace plain
