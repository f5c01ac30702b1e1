#pragma once

#include "sim/cloth.h"

// What can be read of the sheet as it stands after a step: its energies and
// how far its springs are stretched. Computed only when asked, from the
// state alone, so the step is the same whether anything reads them or not.
struct ClothMeasures {
  // ½ Σ |p − p′|² / Δt², unit mass per particle; NaN when Δt is 0.
  double kineticEnergy;
  // −Σ g · p, unit mass, zero at the origin.
  double potentialEnergy;
  // length / rest length − 1 of every spring once (the self-joined entries
  // of missing neighbours and broken springs left out): the largest, and
  // the mean; 0 with no spring left.
  double maxStretch;
  double meanStretch;
  int brokenSprings;
  // The wind's work in the last step: Σ (a − g) · (p − p′), where a − g is
  // the wind's push on each particle; 0 without wind.
  double windWork;
};

ClothMeasures measureCloth(const Cloth& cloth);

// How stretched quad q is: length / rest length − 1 of its four sides and
// two diagonals, from the particles' positions, averaged.
double quadStretch(const Cloth& cloth, int q);
