#include "app/key_script.h"

#include <cctype>
#include <sstream>

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
  for (std::string token; tokens >> token;) {
    if (token[0] == '+') {
      int count = 0;
      if (token.size() == 1) {
        error = "script token '+' needs a number of steps, as in +150";
      } else if (!parsePositive(token.substr(1), MAX_STEPS_PER_TOKEN, count)) {
        error = "script token '" + token + "' is not a number of steps from +1 to +" +
                std::to_string(MAX_STEPS_PER_TOKEN);
      } else {
        script.push_back(Steps{count});
        continue;
      }
    } else if (token.size() == 1) {
      script.push_back(KeyPress{static_cast<unsigned char>(token[0])});
      continue;
    } else {
      error = "unknown script token '" + token +
              "': a token is one key (a single character) or +N for N steps";
    }
    script.clear();
    return false;
  }
  return true;
}
