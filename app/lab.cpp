#include "app/lab.h"

#include "render/opengl.h"

#include <iostream>
#include <string>

#include "app/hand.h"
#include "app/view_state.h"

namespace {

void say(const std::string& line) {
  std::cout << line << std::endl;
  glutPostRedisplay();
}

}  // namespace

void setWind(const SetWind& change) {
  cloth.wind = change.wind;
  say("Wind = " + scriptPoint(change.wind));
}

void setBall(const SetBall& change) {
  if (!change.present && ballInHand) letGo();  // nothing left to hold
  cloth.ball = {change.present, change.centre, change.radius};
  say(change.present ? "Ball = " + scriptPoint(change.centre) + "," + scriptNumber(change.radius)
                     : "Ball off");
}

void setTearing(const SetTearing& change) {
  cloth.tearRatio = change.ratio;
  say(change.ratio > 0.0 ? "Tear = " + scriptNumber(change.ratio) : "Tear off");
}

void setPasses(const SetPasses& change) {
  cloth.relaxationPasses = change.passes;
  say("Passes = " + std::to_string(change.passes));
}

void setDamping(const SetDamping& change) {
  cloth.damping = change.damping;
  say("Damping = " + scriptNumber(change.damping));
}

void setGravity(const SetGravity& change) {
  cloth.gravity = change.gravity;
  say("Gravity = " + scriptPoint(change.gravity));
}

void setStretchColours(const SetStretchColours& change) {
  showStretch = change.on;
  say(change.on ? "Stretch colours on" : "Stretch colours off");
}

int cutSprings(const CutSprings& cut) {
  const int broken = cloth.cutSprings(cut.a, cut.b, cut.c);
  if (broken > 0) say("Cut = " + std::to_string(broken));
  return broken;
}
