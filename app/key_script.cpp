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

// "x,y,z": three finite numbers.
bool parsePoint(const std::string& text, Vector3& point) {
  double xyz[3];
  size_t start = 0;
  for (int k = 0; k < 3; ++k) {
    const size_t comma = k < 2 ? text.find(',', start) : text.size();
    if (comma == std::string::npos) return false;
    if (!parseCoordinate(text.substr(start, comma - start), xyz[k])) return false;
    start = comma + 1;
  }
  point = Vector3(xyz[0], xyz[1], xyz[2]);
  return true;
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
    if (at == std::string::npos ||
        !parseIndex(token.substr(start, at - start), PARTICLE_COUNT, hold.particle)) {
      error = "script token '" + token + "' needs a particle from 0 to " +
              std::to_string(PARTICLE_COUNT - 1) + " and a point, as in grab:2024@90,10,0";
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
  } else {
    error = "unknown script token '" + token +
            "': a token is one key (a single character), +N for N steps, or a drag: "
            "grab:N@x,y,z, move:x,y,z, release, place";
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
    return GRAB_PREFIX + std::to_string(hold->particle) + GRAB_POINT_MARK +
           scriptPoint(hold->target);
  if (const auto* move = std::get_if<GrabMove>(&token))
    return MOVE_PREFIX + scriptPoint(move->target);
  if (std::holds_alternative<GrabRelease>(token)) return RELEASE_WORD;
  if (std::holds_alternative<GrabPlace>(token)) return PLACE_WORD;
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
