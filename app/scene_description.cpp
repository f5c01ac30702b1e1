#include "app/scene_description.h"

#include <sstream>
#include <vector>

#include "app/key_script.h"
#include "app/startup_sheet.h"
#include "app/view_state.h"
#include "render/texture.h"

namespace {

// "leaf.bmp" as "leaf", "heat_ripple.bmp" as "heat ripple".
std::string textureName(int slot) {
  std::string name = TEXTURE_FILE_NAMES[slot];
  name = name.substr(0, name.rfind('.'));
  for (char& c : name)
    if (c == '_') c = ' ';
  return name;
}

// "a", "a and b", "a, b and c".
std::string listed(const std::vector<std::string>& names) {
  std::string text;
  for (size_t i = 0; i < names.size(); ++i)
    text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
  return text;
}

// The layers as words: "quads shown, particles and normals hidden".
std::string layers() {
  const struct {
    bool shown;
    const char* name;
  } all[] = {{showQuads, "quads"}, {showParticles, "particles"}, {showNormals, "normals"}};
  std::vector<std::string> shownNames, hiddenNames;
  for (const auto& layer : all) (layer.shown ? shownNames : hiddenNames).push_back(layer.name);
  const std::string shown = listed(shownNames), hidden = listed(hiddenNames);
  if (hidden.empty()) return shown + " shown";
  if (shown.empty()) return "nothing of the sheet shown";
  return shown + " shown, " + hidden + " hidden";
}

// The lab's settings that differ from start-up's, in words, or "".
std::string labDescription() {
  std::vector<std::string> parts;
  if (cloth.hasWind()) parts.push_back("a wind of " + scriptPoint(cloth.wind));
  if (cloth.ball.present)
    parts.push_back("a ball of radius " + scriptNumber(cloth.ball.radius) + " at " +
                    scriptPoint(cloth.ball.centre));
  if (cloth.tearRatio > 0.0)
    parts.push_back("tearing at " + scriptNumber(cloth.tearRatio) + " times a spring's length");
  if (cloth.brokenSprings > 0)
    parts.push_back(std::to_string(cloth.brokenSprings) +
                    (cloth.brokenSprings == 1 ? " spring broken" : " springs broken"));
  if (cloth.relaxationPasses != RELAXATION_PASSES)
    parts.push_back(std::to_string(cloth.relaxationPasses) + " relaxation passes");
  if (cloth.damping != DAMPING_FACTOR) parts.push_back("damping " + scriptNumber(cloth.damping));
  if (cloth.gravity.x != 0.0 || cloth.gravity.y != STARTUP_GRAVITY_Y || cloth.gravity.z != 0.0)
    parts.push_back("gravity " + scriptPoint(cloth.gravity));
  return parts.empty() ? "" : "The lab: " + listed(parts) + ".";
}

}  // namespace

std::string sceneDescription(long stepsTaken) {
  std::ostringstream text;
  text << "A cloth of " << GRID_SIDE << " by " << GRID_SIDE << " particles in a box, ";
  if (cloth.pinCount == 0)
    text << "pinned nowhere";
  else
    text << "hanging from " << cloth.pinCount << (cloth.pinCount == 1 ? " pin" : " pins");
  text << "; " << layers();
  if (showStretch)
    text << ", coloured by stretch. ";
  else
    text << ", with the " << textureName(currentTexture) << " texture. ";
  text << (animating ? "Animating" : "Stopped") << " after " << stepsTaken
       << (stepsTaken == 1 ? " step" : " steps") << ". ";
  text << "Turned " << rotationAngle << " degrees, the camera at " << eyePosition.z
       << "; stiffness " << stiffnessSetting << ", time step " << stepSize << ".";
  if (ballInHand) text << " The hand holds the ball.";
  if (cloth.grab.active) {
    const int particle = cloth.grab.particle;
    text << " The hand holds particle " << particle << " (row " << particle / GRID_SIDE + 1
         << ", column " << particle % GRID_SIDE + 1 << ").";
  }
  if (const std::string lab = labDescription(); !lab.empty()) text << " " << lab;
  return text.str();
}
