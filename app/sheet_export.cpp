#include "app/sheet_export.h"

#include <cmath>

#include "app/key_script.h"
#include "render/quad_corners.h"

namespace {

std::string value(double number) { return std::isnan(number) ? "" : scriptNumber(number); }

}  // namespace

std::string seriesHeader() {
  return "step,kinetic_energy,potential_energy,max_stretch,mean_stretch,springs_broken,"
         "wind_work\n";
}

std::string seriesLine(long step, const ClothMeasures& measures) {
  return std::to_string(step) + "," + value(measures.kineticEnergy) + "," +
         value(measures.potentialEnergy) + "," + value(measures.maxStretch) + "," +
         value(measures.meanStretch) + "," + std::to_string(measures.brokenSprings) + "," +
         value(measures.windWork) + "\n";
}

std::string sheetObj(const Cloth& cloth) {
  std::string text = "# Vantrelle: the sheet, " + std::to_string(PARTICLE_COUNT) +
                     " particles, a quad per grid cell\n";
  for (const Vector3& p : cloth.positions)
    text += "v " + scriptNumber(p.x) + " " + scriptNumber(p.y) + " " + scriptNumber(p.z) + "\n";
  // Each quad carries the whole image: one texture coordinate per corner.
  for (const QuadCorner& corner : QUAD_CORNERS)
    text += "vt " + scriptNumber(corner.s) + " " + scriptNumber(corner.t) + "\n";
  for (int q = 0; q < QUAD_COUNT; ++q) {
    if (!cloth.quadIntact(q)) continue;
    text += "f";
    int k = 0;
    for (const QuadCorner& corner : QUAD_CORNERS) {
      // OBJ counts vertices from 1.
      text += ' ';
      text += std::to_string(quadCorner(q) + corner.offset + 1);
      text += '/';
      text += std::to_string(++k);
    }
    text += '\n';
  }
  return text;
}
