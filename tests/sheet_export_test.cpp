// The sheet's series and shape as text: the CSV's columns and number form,
// and the OBJ's vertices, texture coordinates and faces.
#include "app/sheet_export.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

#include "app/key_script.h"
#include "app/startup_sheet.h"
#include "tests/sim_fixture.h"

namespace {

TEST(SheetExport, SeriesLinesInTheHeadersOrderWithShortestNumbers) {
  EXPECT_EQ(seriesHeader(),
            "step,kinetic_energy,potential_energy,max_stretch,mean_stretch,springs_broken,"
            "wind_work\n");
  struct Case {
    ClothMeasures measures;
    const char* line;
  };
  const Case cases[] = {
      {{0.1 + 0.2, -930.5, 18.25, 1e-9, 0, 0}, "7,0.30000000000000004,-930.5,18.25,1e-09,0,0\n"},
      {{std::numeric_limits<double>::quiet_NaN(), 2, 0, 0, 12, -0.5}, "7,,2,0,0,12,-0.5\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(seriesLine(7, c.measures), c.line);
}

TEST(SheetExport, TheObjHoldsEveryParticleAndTheQuadsDrawn) {
  auto cloth = makeStartupCloth();
  for (int n = 0; n < 3; ++n) cloth->step();
  const auto count = [](const std::string& text, const std::string& start) {
    std::istringstream lines(text);
    int n = 0;
    for (std::string line; std::getline(lines, line);) n += line.rfind(start, 0) == 0;
    return n;
  };
  std::string obj = sheetObj(*cloth);
  EXPECT_EQ(count(obj, "v "), PARTICLE_COUNT);
  EXPECT_EQ(count(obj, "vt "), 4);
  EXPECT_EQ(count(obj, "f "), QUAD_COUNT);
  // Particle order, each number read back exactly; faces from 1, in the
  // drawing's corner order.
  const Vector3 p = cloth->positions[1];
  EXPECT_NE(obj.find("\nv " + scriptNumber(p.x) + " " + scriptNumber(p.y) + " " +
                     scriptNumber(p.z) + "\n"),
            std::string::npos);
  EXPECT_NE(obj.find("\nf 1/1 2/2 47/3 46/4\n"), std::string::npos);

  // Torn quads are left out, as the drawing leaves them out.
  const int cut = cloth->cutSprings({-100, 60, -200}, {300, 60, -200}, {100, 60, 300});
  ASSERT_GT(cut, 0);
  obj = sheetObj(*cloth);
  int torn = 0;
  for (int q = 0; q < QUAD_COUNT; ++q) torn += !cloth->quadIntact(q);
  EXPECT_GT(torn, 0);
  EXPECT_EQ(count(obj, "f "), QUAD_COUNT - torn);
  EXPECT_EQ(count(obj, "v "), PARTICLE_COUNT);
}

}  // namespace
