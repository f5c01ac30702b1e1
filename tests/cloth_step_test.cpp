// Cloth::step against the plain transcription (plain::step): the same
// values at every step, over the states a user can reach and a few spring
// tables the program never builds.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/startup_sheet.h"
#include "sim/cloth.h"
#include "sim/plain_step.h"
#include "tests/sim_fixture.h"
#include "tools/lab_scenarios.h"

namespace {

// Equal to the bit, except that any NaN matches any NaN.
bool same(double a, double b) {
  if (std::isnan(a) && std::isnan(b)) return true;
  uint64_t x, y;
  std::memcpy(&x, &a, sizeof x);
  std::memcpy(&y, &b, sizeof y);
  return x == y;
}

// The first component of the cloth's state where the two differ, or "".
std::string firstDifference(const Cloth& fast, const Cloth& plain) {
  struct Array {
    const char* name;
    const Vector3* fast;
    const Vector3* plain;
    int count;
  };
  const Array arrays[] = {
      {"positions", fast.positions, plain.positions, PARTICLE_COUNT},
      {"previousPositions", fast.previousPositions, plain.previousPositions, PARTICLE_COUNT},
      {"accelerations", fast.accelerations, plain.accelerations, PARTICLE_COUNT},
      {"faceNormals", fast.faceNormals, plain.faceNormals, QUAD_COUNT},
  };
  if (std::memcmp(fast.springs, plain.springs, sizeof fast.springs) != 0 ||
      fast.brokenSprings != plain.brokenSprings)
    return "springs";
  for (const Array& a : arrays) {
    for (int i = 0; i < a.count; ++i) {
      const Vector3 f = a.fast[i];
      const Vector3 p = a.plain[i];
      if (!same(f.x, p.x) || !same(f.y, p.y) || !same(f.z, p.z)) {
        char text[200];
        std::snprintf(text, sizeof text, "%s[%d]: fast (%a, %a, %a), plain (%a, %a, %a)", a.name, i,
                      f.x, f.y, f.z, p.x, p.y, p.z);
        return text;
      }
    }
  }
  return "";
}

bool hasNonFinite(const Cloth& cloth) {
  for (const Vector3& p : cloth.positions)
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return true;
  return false;
}

// Every spring entry a self-entry: tables of the cases' own making.
void isolate(Cloth& cloth) {
  for (int p = 0; p < PARTICLE_COUNT; ++p)
    for (ClothSpring& spring : cloth.springs[p]) spring = {p, p, 0.0f};
}

struct Scenario {
  const char* name;
  int steps;
  std::function<void(Cloth&)> setUp;
  std::function<void(Cloth&, int)> beforeStep;  // what the user does before step n
  bool diverges = false;                        // must reach infinities or NaNs
};

void nothing(Cloth&, int) {}

const Scenario scenarios[] = {
    {"startup sheet falling and swinging", 400, setUpStartupCloth, nothing},
    {"stiffness above one", 200,
     [](Cloth& c) {
       setUpStartupCloth(c);
       c.setStiffness(1.05);
     },
     nothing, true},
    {"stiffness below zero", 200,
     [](Cloth& c) {
       setUpStartupCloth(c);
       c.setStiffness(-0.25);
     },
     nothing, true},
    {"stiffness exactly zero, then one", 200, setUpStartupCloth,
     [](Cloth& c, int n) { c.setStiffness(n < 100 ? 0.0 : 1.0); }},
    {"time step zero", 100,
     [](Cloth& c) {
       setUpStartupCloth(c);
       c.setTimeStep(0);
     },
     nothing},
    {"negative time step", 100,
     [](Cloth& c) {
       setUpStartupCloth(c);
       c.setTimeStep(-1.5);
     },
     nothing},
    {"clamped on every face of the box in turn", 240,
     [](Cloth& c) {
       setUpStartupCloth(c);
       c.clearPins();
     },
     [](Cloth& c, int n) {
       const double g[6][3] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};
       const double* d = g[(n / 40) % 6];
       c.setGravity(d[0], d[1], d[2]);
     }},
    {"a small box", 150,
     [](Cloth& c) {
       setUpStartupCloth(c);
       c.boxSize = 30.0f;
     },
     nothing},
    {"pins added, overwritten in the ring and cleared", 300, setUpStartupCloth,
     [](Cloth& c, int n) {
       if (n == 40) c.clearPins();
       if (n == 80 || n == 120 || n == 160) {
         c.addPin(0, 10, 100, 40);
         c.addPin(44, 90, 100, -40);
       }
       if (n == 170) c.addPin(1000, 50, 50, 0);     // the sixth pin overwrites a slot
       if (n == 200) c.addPin(2024, 150, -20, 70);  // held outside the box
       if (n == 250) c.clearPins();
     }},
    {"a corner dragged out of the box, a pinned one pulled, then let go", 260, setUpStartupCloth,
     [](Cloth& c, int n) {
       if (n == 20) c.grabParticle(2024, Vector3(90, 10, 0));
       if (n > 20 && n < 120) c.moveGrab(Vector3(90 + n, 10 + 0.25 * n, -0.7 * n));
       if (n == 120) c.grabParticle(44, Vector3(60, 95, -10));
       if (n == 160) c.releaseGrab();
       if (n == 200) c.grabParticle(1012, Vector3(50, 40, 30));
       if (n == 201) layOutStartupGrid(c);
     }},
    {"reset mid-run", 200, setUpStartupCloth,
     [](Cloth& c, int n) {
       if (n == 60 || n == 61 || n == 150) layOutStartupGrid(c);
     }},
    {"diverging to infinity and NaN", 60,
     [](Cloth& c) {
       setUpStartupCloth(c);
       c.setStiffness(3.0);
       c.setTimeStep(40.0);
     },
     nothing, true},
    {"gravity that overflows", 8,
     [](Cloth& c) {
       setUpStartupCloth(c);
       c.setGravity(1e308, -1e308, 0);
     },
     nothing, true},
    {"infinite stiffness", 3,
     [](Cloth& c) {
       setUpStartupCloth(c);
       c.setStiffness(INFINITY);
     },
     nothing, true},
    {"a -0 coordinate reaching a missing neighbour's entry", 3,
     [](Cloth& c) {
       setUpStartupCloth(c);
       c.clearPins();
       // Integration keeps z = -0 only from a -0 with a +0 history and a -0
       // gravity; the clamp keeps it; the first entry of column 0 is missing;
       // with a negative stiffness the springs of the flat sheet add -0.
       c.setGravity(0, 0, -0.0);
       c.setStiffness(-0.5);
       for (int i = 0; i < PARTICLE_COUNT; i += GRID_SIDE) {
         c.positions[i].z = -0.0;
         c.previousPositions[i].z = 0.0;
       }
     },
     nothing},
    {"a correction that overflows before missing neighbours' entries", 2,
     [](Cloth& c) {
       setUpStartupCloth(c);
       c.clearPins();
       isolate(c);
       c.positions[100] = Vector3(50, 50, 0);
       c.positions[101] = Vector3(53, 50, 0);
       c.springs[100][0] = {100, 101, 2.0f};  // entries 1 to 7 join 100 to itself
       c.setStiffness(1e308);                 // finite, but d times it is not
     },
     nothing, true},
    {"springs the grid never builds", 50,
     [](Cloth& c) {
       setUpStartupCloth(c);
       c.springs[3][1] = {3, 2000, 5.0f};       // reaches far ahead
       c.springs[100][2] = {100, 1000, 0.0f};   // zero rest length
       c.springs[200][0] = {201, 202, 2.0f};    // not an entry of its owner
       c.springs[300][4] = {300, 299, 7.0f};    // back to the previous owner
       c.springs[400][6] = {400, 400, 3.0f};    // a self-entry with a rest length
       c.springs[500][5] = {500, 499, 1e-30f};  // tiny rest length
       c.springs[600][3] = {600, 601, -2.0f};   // negative rest length
       c.springs[700][7] = {699, 700, 2.0f};    // another owner, naming this one
       c.springs[800][0] = {799, 800, 2.0f};    // the previous owner's entry, then
       c.springs[800][1] = {800, 799, 2.0f};    // one back to it
     },
     nothing},
    {"isolated particles, one-way springs", 40,
     [](Cloth& c) {
       setUpStartupCloth(c);
       isolate(c);
       c.springs[10][0] = {10, 11, 2.0f};
       c.springs[11][0] = {11, 10, 2.0f};
       c.springs[12][0] = {12, 12 + GRID_SIDE + 1, 2.828427f};
       c.positions[13] = c.positions[14];
       c.springs[13][3] = {13, 14, 2.0f};  // two particles at one point
     },
     nothing},
};

// The lab's runs, as the builds' digests check them.
std::vector<Scenario> allScenarios() {
  std::vector<Scenario> all(std::begin(scenarios), std::end(scenarios));
  for (const LabScenario& lab : LAB_SCENARIOS)
    all.push_back({lab.name, lab.steps, setUpStartupCloth, lab.beforeStep});
  return all;
}

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

class FastStep : public testing::TestWithParam<Scenario> {};

TEST_P(FastStep, GivesThePlainStepsValuesAtEveryStep) {
  const Scenario& scenario = GetParam();
  auto fast = makeCloth();
  auto plain = makeCloth();
  scenario.setUp(*fast);
  scenario.setUp(*plain);
  bool diverged = false;
  for (int n = 0; n < scenario.steps; ++n) {
    scenario.beforeStep(*fast, n);
    scenario.beforeStep(*plain, n);
    fast->step();
    plain::step(*plain);
    const std::string difference = firstDifference(*fast, *plain);
    ASSERT_EQ(difference, "") << "after step " << n + 1;
    diverged |= hasNonFinite(*plain);
  }
  EXPECT_EQ(diverged, scenario.diverges) << "the case does not reach what it is meant to";
}

INSTANTIATE_TEST_SUITE_P(Sweep, FastStep, testing::ValuesIn(allScenarios()),
                         [](const testing::TestParamInfo<Scenario>& info) {
                           std::string name;
                           for (const char* c = info.param.name; *c != '\0'; ++c)
                             if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                           return name;
                         });

}  // namespace
