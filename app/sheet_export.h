#pragma once

// The sheet's numbers and shape as files: the series of its measures, a CSV
// line per step, and the sheet itself as a Wavefront OBJ. Numbers are in
// their shortest round-trip form, so two builds that agree to the bit write
// the same bytes.

#include <string>

#include "sim/cloth.h"
#include "sim/cloth_measures.h"

// "step,kinetic_energy,potential_energy,max_stretch,mean_stretch,
// springs_broken,wind_work" and a newline.
std::string seriesHeader();
// One step's line; a value that is not a number (the kinetic energy with a
// time step of 0) is left empty.
std::string seriesLine(long step, const ClothMeasures& measures);

// The 2025 particles as "v x y z" in particle order, the texture
// coordinates each quad carries, and the quads drawn (those whose sides
// hold) as faces in drawing order.
std::string sheetObj(const Cloth& cloth);
