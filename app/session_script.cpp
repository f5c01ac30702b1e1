#include "app/session_script.h"

void SessionScript::note(const ScriptToken& token) {
  if (const auto* steps = std::get_if<Steps>(&token)) steps_ += steps->count;
  if (!played_.empty()) {
    auto* steps = std::get_if<Steps>(&played_.back());
    const auto* more = std::get_if<Steps>(&token);
    if (steps != nullptr && more != nullptr) {
      steps->count += more->count;
      return;
    }
    if (std::holds_alternative<GrabMove>(played_.back()) &&
        std::holds_alternative<GrabMove>(token)) {
      played_.back() = token;
      return;
    }
    if (std::holds_alternative<GrabPlace>(token)) {
      if (std::holds_alternative<GrabPlace>(played_.back())) return;
      const size_t n = played_.size();
      if (n >= 3 && std::holds_alternative<GrabMove>(played_[n - 3]) &&
          std::holds_alternative<GrabPlace>(played_[n - 2]) &&
          std::holds_alternative<GrabMove>(played_[n - 1]))
        played_.erase(played_.end() - 3, played_.end() - 1);
    }
  }
  played_.push_back(token);
}

void SessionScript::noteHand(const Grab& before, const Grab& now, bool placed) {
  if (now.active && (!before.active || now.particle != before.particle))
    note(GrabHold{now.particle, now.target});
  else if (now.active && (now.target.x != before.target.x || now.target.y != before.target.y ||
                          now.target.z != before.target.z))
    note(GrabMove{now.target});
  else if (!now.active && before.active)
    note(GrabRelease{});
  if (placed) note(GrabPlace{});
}
