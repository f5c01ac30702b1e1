#include "web/page/sheet_series.h"

#include <emscripten/emscripten.h>

#include <string>
#include <vector>

#include "app/sheet_export.h"
#include "app/view_state.h"
#include "sim/cloth_measures.h"

namespace {

// Some 50 bytes a step: a million steps, the longest link, fit in 50 MB.
std::vector<ClothMeasures> series;

}  // namespace

void noteStepTaken() { series.push_back(measureCloth(cloth)); }

extern "C" {

EMSCRIPTEN_KEEPALIVE int vantrelleSeriesLength() { return static_cast<int>(series.size()); }

// Step `step` (from 1): 0 kinetic energy (NaN with no time step), 1
// potential energy, 2 the largest stretch, 3 the mean stretch, 4 springs
// broken, 5 the wind's work.
EMSCRIPTEN_KEEPALIVE double vantrelleSeriesValue(int step, int which) {
  if (step < 1 || step > static_cast<int>(series.size())) return 0.0;
  const ClothMeasures& m = series[step - 1];
  const double values[] = {m.kineticEnergy, m.potentialEnergy,       m.maxStretch,
                           m.meanStretch,   double(m.brokenSprings), m.windWork};
  return which >= 0 && which < 6 ? values[which] : 0.0;
}

// The whole series as the recorder's --series writes it.
EMSCRIPTEN_KEEPALIVE const char* vantrelleSeriesCsv() {
  static std::string text;
  text = seriesHeader();
  for (size_t step = 0; step < series.size(); ++step) text += seriesLine(step + 1, series[step]);
  return text.c_str();
}

// The sheet as it stands, as the recorder's --obj writes it.
EMSCRIPTEN_KEEPALIVE const char* vantrelleSheetObj() {
  static std::string text;
  text = sheetObj(cloth);
  return text.c_str();
}

}  // extern "C"
