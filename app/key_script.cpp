#include "app/key_script.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "sim/cloth.h"

namespace {

// The tokens' literals, read and written only here.
constexpr char STEPS_PREFIX = '+';
constexpr const char* GRAB_PREFIX = "grab:";
constexpr char GRAB_POINT_MARK = '@';
constexpr const char* MOVE_PREFIX = "move:";
constexpr const char* RELEASE_WORD = "release";
constexpr const char* PLACE_WORD = "place";
constexpr const char* WIND_PREFIX = "wind:";
constexpr const char* BALL_PREFIX = "ball:";
constexpr const char* TEAR_PREFIX = "tear:";
constexpr const char* PASSES_PREFIX = "passes:";
constexpr const char* DAMPING_PREFIX = "damping:";
constexpr const char* GRAVITY_PREFIX = "gravity:";
constexpr const char* CUT_PREFIX = "cut:";
constexpr const char* STRETCH_PREFIX = "stretch:";
constexpr const char* ON_WORD = "on";
constexpr const char* OFF_WORD = "off";
constexpr const char* BALL_WORD = "ball";

bool startsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// A whole decimal number from 0 to limit - 1.
bool parseIndex(const std::string& text, int limit, int& value) {
  if (text == "0") {
    value = 0;
    return true;
  }
  return parsePositive(text, limit - 1, value);
}

// One finite number, the whole text ("1e2", "-0.5"; not "inf", "nan" or "").
bool parseCoordinate(const std::string& text, double& value) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && std::isfinite(value);
}

// "a,b,…": exactly `count` finite numbers, each within [low, high].
bool parseNumbers(const std::string& text, int count, double low, double high, double* values) {
  size_t start = 0;
  for (int k = 0; k < count; ++k) {
    const size_t comma = k + 1 < count ? text.find(',', start) : text.size();
    if (comma == std::string::npos) return false;
    if (!parseCoordinate(text.substr(start, comma - start), values[k])) return false;
    if (values[k] < low || values[k] > high) return false;
    start = comma + 1;
  }
  return true;
}

// "x,y,z": three finite numbers.
bool parsePoint(const std::string& text, Vector3& point) {
  double xyz[3];
  if (!parseNumbers(text, 3, -HUGE_VAL, HUGE_VAL, xyz)) return false;
  point = Vector3(xyz[0], xyz[1], xyz[2]);
  return true;
}

// A lab token after its prefix, or false with the message in `error`.
bool parseLabToken(const std::string& token, std::vector<ScriptToken>& script, std::string& error) {
  const auto refuse = [&](const std::string& needs, const char* example) {
    error = "script token '" + token + "' needs " + needs + ", as in " + example;
    return false;
  };
  const auto after = [&](const char* prefix) { return token.substr(std::strlen(prefix)); };
  const std::string force = "three numbers x,y,z from -" + scriptNumber(MAX_LAB_FORCE) + " to " +
                            scriptNumber(MAX_LAB_FORCE);
  double v[9];
  if (startsWith(token, WIND_PREFIX)) {
    if (!parseNumbers(after(WIND_PREFIX), 3, -MAX_LAB_FORCE, MAX_LAB_FORCE, v))
      return refuse(force, "wind:0.005,0,0.01");
    script.push_back(SetWind{Vector3(v[0], v[1], v[2])});
  } else if (startsWith(token, GRAVITY_PREFIX)) {
    if (!parseNumbers(after(GRAVITY_PREFIX), 3, -MAX_LAB_FORCE, MAX_LAB_FORCE, v))
      return refuse(force, "gravity:0,-0.01,0");
    script.push_back(SetGravity{Vector3(v[0], v[1], v[2])});
  } else if (startsWith(token, BALL_PREFIX)) {
    const std::string rest = after(BALL_PREFIX);
    if (rest == OFF_WORD) {
      script.push_back(SetBall{false, Vector3(), 0.0});
      return true;
    }
    if (!parseNumbers(rest, 4, -MAX_LAB_COORDINATE, MAX_LAB_COORDINATE, v) || !(v[3] > 0.0) ||
        v[3] > MAX_BALL_RADIUS)
      return refuse("a centre x,y,z and a radius above 0 and up to " +
                        scriptNumber(MAX_BALL_RADIUS) + ", or off",
                    "ball:50,50,0,10");
    script.push_back(SetBall{true, Vector3(v[0], v[1], v[2]), v[3]});
  } else if (startsWith(token, TEAR_PREFIX)) {
    const std::string rest = after(TEAR_PREFIX);
    if (rest == OFF_WORD) {
      script.push_back(SetTearing{0.0});
      return true;
    }
    if (!parseNumbers(rest, 1, 1.0, MAX_TEAR_RATIO, v) || v[0] == 1.0)
      return refuse("a ratio above 1 and up to " + scriptNumber(MAX_TEAR_RATIO) + ", or off",
                    "tear:3.5");
    script.push_back(SetTearing{v[0]});
  } else if (startsWith(token, PASSES_PREFIX)) {
    int passes = 0;
    if (!parsePositive(after(PASSES_PREFIX), MAX_RELAXATION_PASSES, passes))
      return refuse("a number of passes from 1 to " + std::to_string(MAX_RELAXATION_PASSES),
                    "passes:10");
    script.push_back(SetPasses{passes});
  } else if (startsWith(token, DAMPING_PREFIX)) {
    if (!parseNumbers(after(DAMPING_PREFIX), 1, 0.0, 1.0, v))
      return refuse("a factor from 0 to 1", "damping:0.99");
    script.push_back(SetDamping{v[0]});
  } else if (startsWith(token, CUT_PREFIX)) {
    if (!parseNumbers(after(CUT_PREFIX), 9, -MAX_LAB_COORDINATE, MAX_LAB_COORDINATE, v))
      return refuse("three points, nine numbers from -1e6 to 1e6",
                    "cut:0,60,-200,100,60,-200,50,60,200");
    script.push_back(CutSprings{Vector3(v[0], v[1], v[2]), Vector3(v[3], v[4], v[5]),
                                Vector3(v[6], v[7], v[8])});
  } else if (startsWith(token, STRETCH_PREFIX)) {
    const std::string rest = after(STRETCH_PREFIX);
    if (rest != ON_WORD && rest != OFF_WORD) return refuse("on or off", "stretch:on");
    script.push_back(SetStretchColours{rest == ON_WORD});
  } else {
    return false;
  }
  return true;
}

bool isLabToken(const std::string& token) {
  for (const char* prefix : {WIND_PREFIX, BALL_PREFIX, TEAR_PREFIX, PASSES_PREFIX, DAMPING_PREFIX,
                             GRAVITY_PREFIX, CUT_PREFIX, STRETCH_PREFIX})
    if (startsWith(token, prefix)) return true;
  return false;
}

// One token; false with the message in `error`.
bool parseToken(const std::string& token, std::vector<ScriptToken>& script, std::string& error) {
  const std::string pointForm = " needs three finite numbers x,y,z";
  if (token[0] == STEPS_PREFIX) {
    int count = 0;
    if (token.size() == 1) {
      error = "script token '+' needs a number of steps, as in +150";
      return false;
    }
    if (!parsePositive(token.substr(1), MAX_STEPS_PER_TOKEN, count)) {
      error = "script token '" + token + "' is not a number of steps from +1 to +" +
              std::to_string(MAX_STEPS_PER_TOKEN);
      return false;
    }
    script.push_back(Steps{count});
  } else if (token.size() == 1) {
    script.push_back(KeyPress{static_cast<unsigned char>(token[0])});
  } else if (startsWith(token, GRAB_PREFIX)) {
    const size_t start = std::strlen(GRAB_PREFIX);
    const size_t at = token.find(GRAB_POINT_MARK);
    GrabHold hold{};
    const bool ball = at != std::string::npos && token.substr(start, at - start) == BALL_WORD;
    if (ball) hold.particle = BALL_IN_HAND;
    if (at == std::string::npos ||
        (!ball && !parseIndex(token.substr(start, at - start), PARTICLE_COUNT, hold.particle))) {
      error = "script token '" + token + "' needs a particle from 0 to " +
              std::to_string(PARTICLE_COUNT - 1) +
              " and a point, as in grab:2024@90,10,0, or the ball, as in grab:ball@45,30,5";
      return false;
    }
    if (!parsePoint(token.substr(at + 1), hold.target)) {
      error = "script token '" + token + "'" + pointForm + " after @, as in grab:2024@90,10,0";
      return false;
    }
    script.push_back(hold);
  } else if (startsWith(token, MOVE_PREFIX)) {
    GrabMove move{};
    if (!parsePoint(token.substr(std::strlen(MOVE_PREFIX)), move.target)) {
      error = "script token '" + token + "'" + pointForm + ", as in move:95,5,20";
      return false;
    }
    script.push_back(move);
  } else if (token == RELEASE_WORD) {
    script.push_back(GrabRelease{});
  } else if (token == PLACE_WORD) {
    script.push_back(GrabPlace{});
  } else if (isLabToken(token)) {
    return parseLabToken(token, script, error);
  } else {
    error = "unknown script token '" + token +
            "': a token is one key (a single character), +N for N steps, a drag (grab:, "
            "move:, release, place) or a lab setting (wind:, ball:, tear:, passes:, damping:, "
            "gravity:, cut:) or a view (stretch:)";
    return false;
  }
  return true;
}

}  // namespace

bool parsePositive(const std::string& text, int limit, int& value) {
  if (text.empty() || text.size() > 9) return false;
  long long result = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    result = result * 10 + (c - '0');
  }
  if (result < 1 || result > limit) return false;
  value = static_cast<int>(result);
  return true;
}

bool parseScript(const std::string& text, std::vector<ScriptToken>& script, std::string& error) {
  script.clear();
  std::istringstream tokens(text);
  long steps = 0;
  for (std::string token; tokens >> token;) {
    if (static_cast<long>(script.size()) == MAX_SCRIPT_TOKENS) {
      error = "the script has more than " + std::to_string(MAX_SCRIPT_TOKENS) + " tokens";
    } else if (parseToken(token, script, error)) {
      if (const auto* more = std::get_if<Steps>(&script.back())) steps += more->count;
      if (steps <= MAX_SCRIPT_STEPS) continue;
      error = "the script takes more than " + std::to_string(MAX_SCRIPT_STEPS) + " steps in all";
    }
    script.clear();
    return false;
  }
  return true;
}

bool scriptCarriesKey(unsigned char key) { return key > ' ' && key < 127 && key != STEPS_PREFIX; }

std::string writeToken(const ScriptToken& token) {
  if (const auto* key = std::get_if<KeyPress>(&token)) return std::string(1, key->key);
  if (const auto* hold = std::get_if<GrabHold>(&token))
    return GRAB_PREFIX +
           (hold->particle == BALL_IN_HAND ? std::string(BALL_WORD)
                                           : std::to_string(hold->particle)) +
           GRAB_POINT_MARK + scriptPoint(hold->target);
  if (const auto* move = std::get_if<GrabMove>(&token))
    return MOVE_PREFIX + scriptPoint(move->target);
  if (std::holds_alternative<GrabRelease>(token)) return RELEASE_WORD;
  if (std::holds_alternative<GrabPlace>(token)) return PLACE_WORD;
  if (const auto* wind = std::get_if<SetWind>(&token)) return WIND_PREFIX + scriptPoint(wind->wind);
  if (const auto* gravity = std::get_if<SetGravity>(&token))
    return GRAVITY_PREFIX + scriptPoint(gravity->gravity);
  if (const auto* ball = std::get_if<SetBall>(&token))
    return BALL_PREFIX + (ball->present
                              ? scriptPoint(ball->centre) + "," + scriptNumber(ball->radius)
                              : std::string(OFF_WORD));
  if (const auto* tearing = std::get_if<SetTearing>(&token))
    return TEAR_PREFIX +
           (tearing->ratio > 0.0 ? scriptNumber(tearing->ratio) : std::string(OFF_WORD));
  if (const auto* passes = std::get_if<SetPasses>(&token))
    return PASSES_PREFIX + std::to_string(passes->passes);
  if (const auto* damping = std::get_if<SetDamping>(&token))
    return DAMPING_PREFIX + scriptNumber(damping->damping);
  if (const auto* stretch = std::get_if<SetStretchColours>(&token))
    return STRETCH_PREFIX + std::string(stretch->on ? ON_WORD : OFF_WORD);
  if (const auto* cut = std::get_if<CutSprings>(&token))
    return CUT_PREFIX + scriptPoint(cut->a) + "," + scriptPoint(cut->b) + "," + scriptPoint(cut->c);
  std::string text;
  for (long left = std::get<Steps>(token).count; left > 0; left -= MAX_STEPS_PER_TOKEN) {
    if (!text.empty()) text += ' ';
    text += STEPS_PREFIX + std::to_string(std::min<long>(left, MAX_STEPS_PER_TOKEN));
  }
  return text;
}

std::string writeScript(const std::vector<ScriptToken>& script) {
  std::string text;
  for (const ScriptToken& token : script) {
    if (!text.empty()) text += ' ';
    text += writeToken(token);
  }
  return text;
}

std::string scriptNumber(double value) {
  // Seventeen significant digits always read back; fewer usually do.
  char text[32];
  int digits = 1;
  for (; digits < 17; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    if (std::strtod(text, nullptr) == value) break;
  }
  std::snprintf(text, sizeof text, "%.*g", digits, value);
  // Scene-sized numbers without an exponent: 50 rather than 5e+01.
  const double magnitude = std::fabs(value);
  if (std::strchr(text, 'e') != nullptr && magnitude >= 1e-4 && magnitude < 1e15) {
    const int decimals =
        std::max(0, digits - 1 - static_cast<int>(std::floor(std::log10(magnitude))));
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
  }
  return text;
}

std::string scriptPoint(Vector3 point) {
  return scriptNumber(point.x) + "," + scriptNumber(point.y) + "," + scriptNumber(point.z);
}
