// Key scripts as the recorder and links read them: keys, steps and drags.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "app/key_script.h"

namespace {

TEST(KeyScript, ADragReadsAsGrabMoveAndRelease) {
  std::vector<ScriptToken> script;
  std::string error;
  ASSERT_TRUE(parseScript("t grab:2024@90,10,0 +5 move:95.5,-3e1,1e-3 +2 release 2", script, error))
      << error;
  ASSERT_EQ(script.size(), 7u);
  const auto& hold = std::get<GrabHold>(script[1]);
  EXPECT_EQ(hold.particle, 2024);
  EXPECT_EQ(hold.target.x, 90);
  EXPECT_EQ(hold.target.y, 10);
  EXPECT_EQ(hold.target.z, 0);
  const auto& move = std::get<GrabMove>(script[3]);
  EXPECT_EQ(move.target.x, 95.5);
  EXPECT_EQ(move.target.y, -30);
  EXPECT_EQ(move.target.z, 1e-3);
  EXPECT_TRUE(std::holds_alternative<GrabRelease>(script[5]));
  EXPECT_EQ(std::get<KeyPress>(script[6]).key, '2');
  EXPECT_TRUE(parseScript("grab:0@0,0,0", script, error)) << error;
}

TEST(KeyScript, BadDragsAreRefusedWithTheParsersMessage) {
  struct Case {
    const char* script;
    const char* message;
  };
  const Case cases[] = {
      {"grab:2025@1,2,3", "script token 'grab:2025@1,2,3' needs a particle from 0 to 2024"},
      {"grab:-1@1,2,3", "needs a particle from 0 to 2024"},
      {"grab:12", "script token 'grab:12' needs a particle from 0 to 2024 and a point"},
      {"grab:@1,2,3", "needs a particle"},
      {"grab:1@1,2", "script token 'grab:1@1,2' needs three finite numbers x,y,z after @"},
      {"grab:1@1,2,3,4", "needs three finite numbers"},
      {"grab:1@1,nan,3", "needs three finite numbers"},
      {"move:inf,0,0", "script token 'move:inf,0,0' needs three finite numbers x,y,z"},
      {"move:1e999,0,0", "needs three finite numbers"},
      {"move:1,,3", "needs three finite numbers"},
      {"move:1,2,3x", "needs three finite numbers"},
      {"releases", "unknown script token 'releases'"},
  };
  for (const Case& c : cases) {
    std::vector<ScriptToken> script;
    std::string error;
    EXPECT_FALSE(parseScript(std::string("t +2 ") + c.script, script, error)) << c.script;
    EXPECT_NE(error.find(c.message), std::string::npos) << c.script << ": " << error;
    EXPECT_TRUE(script.empty()) << c.script;
  }
}

TEST(KeyScript, AScriptsTotalIsBounded) {
  struct Case {
    std::string script;
    bool accepted;
    const char* message;
  };
  std::string keys;
  for (long n = 0; n < MAX_SCRIPT_TOKENS; ++n) keys += "a ";
  const Case cases[] = {
      {"+1000000", true, ""},
      {"+600000 t +400000", true, ""},
      {"+600000 t +400001", false, "the script takes more than 1000000 steps in all"},
      {"+1000000 +1000000 +1000000 +1000000 +1000000", false, "more than 1000000 steps in all"},
      {keys, true, ""},
      {keys + "a", false, "the script has more than 100000 tokens"},
  };
  for (const Case& c : cases) {
    std::vector<ScriptToken> script;
    std::string error;
    EXPECT_EQ(parseScript(c.script, script, error), c.accepted) << c.script.substr(0, 40);
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
    EXPECT_EQ(script.empty(), !c.accepted);
  }
}

TEST(KeyScript, CoordinatesAreWrittenShortAndReadBackExactly) {
  struct Case {
    double value;
    const char* text;  // nullptr: only the round trip is checked
  };
  const Case cases[] = {
      {50, "50"},
      {49.995, "49.995"},
      {-30, "-30"},
      {0.1, "0.1"},
      {1500, "1500"},
      {1e-3, "0.001"},
      {0, "0"},
      {-0.0, "-0"},
      {1.0 / 3, nullptr},
      {2.0 / 3 * 100, nullptr},
      {1e-300, nullptr},
      {std::numeric_limits<double>::max(), nullptr},
      {50.02892588257253, "50.02892588257253"},
  };
  for (const Case& c : cases) {
    const std::string text = scriptNumber(c.value);
    if (c.text != nullptr) {
      EXPECT_EQ(text, c.text);
    }
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), c.value) << text;
    EXPECT_EQ(std::signbit(std::strtod(text.c_str(), nullptr)), std::signbit(c.value)) << text;
  }
  // A point written by a console line reads back as a move token.
  const Vector3 point(1.0 / 3, -2.0 / 7, 1e-5);
  std::vector<ScriptToken> script;
  std::string error;
  ASSERT_TRUE(parseScript("move:" + scriptPoint(point), script, error)) << error;
  const Vector3 read = std::get<GrabMove>(script[0]).target;
  EXPECT_EQ(read.x, point.x);
  EXPECT_EQ(read.y, point.y);
  EXPECT_EQ(read.z, point.z);
}

}  // namespace
