// Key scripts as the recorder and links read them: keys, steps and drags.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
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

TEST(KeyScript, BadDragsAndLabSettingsAreRefusedWithTheParsersMessage) {
  struct Case {
    const char* script;
    const char* message;
  };
  const Case cases[] = {
      {"grab:2025@1,2,3", "script token 'grab:2025@1,2,3' needs a particle from 0 to 2024"},
      {"grab:-1@1,2,3", "needs a particle from 0 to 2024"},
      {"grab:12", "script token 'grab:12' needs a particle from 0 to 2024 and a point"},
      {"grab:@1,2,3", "needs a particle"},
      {"grab:balls@1,2,3", "needs a particle"},
      {"grab:ball@1,2", "script token 'grab:ball@1,2' needs three finite numbers"},
      {"grab:1@1,2", "script token 'grab:1@1,2' needs three finite numbers x,y,z after @"},
      {"grab:1@1,2,3,4", "needs three finite numbers"},
      {"grab:1@1,nan,3", "needs three finite numbers"},
      {"move:inf,0,0", "script token 'move:inf,0,0' needs three finite numbers x,y,z"},
      {"move:1e999,0,0", "needs three finite numbers"},
      {"move:1,,3", "needs three finite numbers"},
      {"move:1,2,3x", "needs three finite numbers"},
      {"releases", "unknown script token 'releases'"},
      {"place:1,2,3", "unknown script token 'place:1,2,3'"},
      {"wind:1,2", "script token 'wind:1,2' needs three numbers x,y,z from -1 to 1"},
      {"wind:0,1.5,0", "needs three numbers x,y,z from -1 to 1"},
      {"wind:0,nan,0", "needs three numbers"},
      {"gravity:0,-inf,0", "script token 'gravity:0,-inf,0' needs three numbers"},
      {"ball:50,50,0", "script token 'ball:50,50,0' needs a centre x,y,z and a radius"},
      {"ball:50,50,0,0", "a radius above 0 and up to 100, or off"},
      {"ball:50,50,0,100.5", "a radius above 0"},
      {"ball:2e6,0,0,1", "a radius above 0"},
      {"ball:of", "needs a centre"},
      {"tear:1", "script token 'tear:1' needs a ratio above 1 and up to 100, or off"},
      {"tear:0.5", "needs a ratio above 1"},
      {"tear:", "needs a ratio above 1"},
      {"passes:0", "script token 'passes:0' needs a number of passes from 1 to 100"},
      {"passes:101", "from 1 to 100"},
      {"passes:2.5", "from 1 to 100"},
      {"damping:1.01", "script token 'damping:1.01' needs a factor from 0 to 1"},
      {"damping:-0.1", "a factor from 0 to 1"},
      {"cut:1,2,3,4,5,6,7,8", "script token 'cut:1,2,3,4,5,6,7,8' needs three points"},
      {"cut:1,2,3,4,5,6,7,8,9,10", "needs three points"},
      {"stretch:yes", "script token 'stretch:yes' needs on or off, as in stretch:on"},
      {"stretch:", "needs on or off"},
      {"stretch:ON", "needs on or off"},
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

// Two scripts are equal token by token, coordinates to the bit (the sign of
// zero included).
void expectSameTokens(const std::vector<ScriptToken>& read, const std::vector<ScriptToken>& want,
                      const std::string& text) {
  ASSERT_EQ(read.size(), want.size()) << text;
  const auto sameBits = [](double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; };
  const auto samePoint = [&](Vector3 a, Vector3 b) {
    return sameBits(a.x, b.x) && sameBits(a.y, b.y) && sameBits(a.z, b.z);
  };
  for (size_t i = 0; i < want.size(); ++i) {
    ASSERT_EQ(read[i].index(), want[i].index()) << text << ": token " << i;
    if (const auto* key = std::get_if<KeyPress>(&want[i])) {
      EXPECT_EQ(std::get<KeyPress>(read[i]).key, key->key) << text;
    }
    if (const auto* steps = std::get_if<Steps>(&want[i])) {
      EXPECT_EQ(std::get<Steps>(read[i]).count, steps->count) << text;
    }
    if (const auto* hold = std::get_if<GrabHold>(&want[i])) {
      EXPECT_EQ(std::get<GrabHold>(read[i]).particle, hold->particle) << text;
      EXPECT_TRUE(samePoint(std::get<GrabHold>(read[i]).target, hold->target)) << text;
    }
    if (const auto* move = std::get_if<GrabMove>(&want[i])) {
      EXPECT_TRUE(samePoint(std::get<GrabMove>(read[i]).target, move->target)) << text;
    }
    // The lab's tokens: every field, to the bit.
    if (const auto* wind = std::get_if<SetWind>(&want[i])) {
      EXPECT_TRUE(samePoint(std::get<SetWind>(read[i]).wind, wind->wind)) << text;
    }
    if (const auto* gravity = std::get_if<SetGravity>(&want[i])) {
      EXPECT_TRUE(samePoint(std::get<SetGravity>(read[i]).gravity, gravity->gravity)) << text;
    }
    if (const auto* ball = std::get_if<SetBall>(&want[i])) {
      const auto& got = std::get<SetBall>(read[i]);
      EXPECT_EQ(got.present, ball->present) << text;
      if (ball->present) {
        EXPECT_TRUE(samePoint(got.centre, ball->centre) && sameBits(got.radius, ball->radius))
            << text;
      }
    }
    if (const auto* tearing = std::get_if<SetTearing>(&want[i])) {
      EXPECT_TRUE(sameBits(std::get<SetTearing>(read[i]).ratio, tearing->ratio)) << text;
    }
    if (const auto* passes = std::get_if<SetPasses>(&want[i])) {
      EXPECT_EQ(std::get<SetPasses>(read[i]).passes, passes->passes) << text;
    }
    if (const auto* damping = std::get_if<SetDamping>(&want[i])) {
      EXPECT_TRUE(sameBits(std::get<SetDamping>(read[i]).damping, damping->damping)) << text;
    }
    if (const auto* stretch = std::get_if<SetStretchColours>(&want[i])) {
      EXPECT_EQ(std::get<SetStretchColours>(read[i]).on, stretch->on) << text;
    }
    if (const auto* cut = std::get_if<CutSprings>(&want[i])) {
      const auto& got = std::get<CutSprings>(read[i]);
      EXPECT_TRUE(samePoint(got.a, cut->a) && samePoint(got.b, cut->b) && samePoint(got.c, cut->c))
          << text;
    }
  }
}

TEST(KeyScript, WrittenTokensReadBackAsTheSameTokens) {
  struct Case {
    ScriptToken token;
    const char* text;
  };
  const Case cases[] = {
      {KeyPress{'a'}, "a"},
      {KeyPress{'='}, "="},
      {KeyPress{'Q'}, "Q"},
      {Steps{1}, "+1"},
      {Steps{150}, "+150"},
      {GrabHold{0, Vector3(0, 0, 0)}, "grab:0@0,0,0"},
      {GrabHold{2024, Vector3(90, 10, -0.0)}, "grab:2024@90,10,-0"},
      {GrabHold{1012, Vector3(50.02892588257253, 1.0 / 3, -1e-5)},
       "grab:1012@50.02892588257253,0.3333333333333333,-1e-05"},
      {GrabMove{Vector3(95.5, -30, 1e-300)}, "move:95.5,-30,1e-300"},
      {GrabMove{Vector3(std::numeric_limits<double>::max(), 2.0 / 3 * 100, 1500)},
       "move:1.7976931348623157e+308,66.66666666666666,1500"},
      {GrabRelease{}, "release"},
      {GrabPlace{}, "place"},
      {GrabHold{BALL_IN_HAND, Vector3(45, 30.5, -5)}, "grab:ball@45,30.5,-5"},
      {SetWind{Vector3(0.005, 0, -0.0)}, "wind:0.005,0,-0"},
      {SetBall{true, Vector3(50, 49.5, -3), 12.25}, "ball:50,49.5,-3,12.25"},
      {SetBall{false, Vector3(), 0}, "ball:off"},
      {SetTearing{3.5}, "tear:3.5"},
      {SetTearing{0}, "tear:off"},
      {SetPasses{20}, "passes:20"},
      {SetDamping{0.1 + 0.2}, "damping:0.30000000000000004"},
      {SetGravity{Vector3(0, -0.01, 1)}, "gravity:0,-0.01,1"},
      {CutSprings{Vector3(1, 2, 3), Vector3(-4, 5.5, 6), Vector3(7, 8, 1e-9)},
       "cut:1,2,3,-4,5.5,6,7,8,1e-09"},
      {SetStretchColours{true}, "stretch:on"},
      {SetStretchColours{false}, "stretch:off"},
  };
  std::vector<ScriptToken> all;
  for (const Case& c : cases) {
    EXPECT_EQ(writeToken(c.token), c.text);
    std::vector<ScriptToken> read;
    std::string error;
    ASSERT_TRUE(parseScript(writeToken(c.token), read, error)) << c.text << ": " << error;
    expectSameTokens(read, {c.token}, c.text);
    all.push_back(c.token);
  }
  // A whole script, and every key a script can carry (a space or a '+'
  // would not read back as a key).
  for (int key = 0; key < 256; ++key)
    if (scriptCarriesKey(static_cast<unsigned char>(key)))
      all.push_back(KeyPress{static_cast<unsigned char>(key)});
  std::vector<ScriptToken> read;
  std::string error;
  ASSERT_TRUE(parseScript(writeScript(all), read, error)) << error;
  expectSameTokens(read, all, writeScript(all));
}

TEST(KeyScript, StepsBeyondOneTokensLimitAreWrittenAsSeveral) {
  const std::string text = writeToken(Steps{2 * MAX_STEPS_PER_TOKEN + 5});
  EXPECT_EQ(text, "+1000000 +1000000 +5");
  EXPECT_EQ(writeToken(Steps{MAX_STEPS_PER_TOKEN}), "+1000000");
  EXPECT_EQ(writeScript({KeyPress{'a'}, Steps{3}, GrabRelease{}}), "a +3 release");
  EXPECT_EQ(writeScript({}), "");
}

}  // namespace
