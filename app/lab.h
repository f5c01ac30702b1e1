#pragma once

#include "app/key_script.h"

// The lab's settings as the program applies them: each changes the one sheet,
// writes one console line ("Wind = 0.005,0,0", "Ball off", "Passes = 10")
// and draws again. Scripts, the menu and the page all come here.

void setWind(const SetWind& change);
void setBall(const SetBall& change);
void setTearing(const SetTearing& change);
void setPasses(const SetPasses& change);
void setDamping(const SetDamping& change);
void setGravity(const SetGravity& change);
// "Cut = N" when the cut breaks N springs; a cut that meets none changes
// nothing and says nothing. Returns N.
int cutSprings(const CutSprings& cut);
// Not the sheet but how it is drawn: "Stretch colours on" or "... off".
void setStretchColours(const SetStretchColours& change);

// The tearing ratio the menu and the page turn on: above every spring of a
// hanging sheet (the free ones stay below 1.7 times their rest length) and
// of the few steps after r, when the pins pull the flat sheet's corners 30
// units into place and the springs next to them pass 3 times theirs.
constexpr double DEFAULT_TEAR_RATIO = 3.5;
