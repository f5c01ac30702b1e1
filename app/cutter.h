#pragma once

#include "app/key_script.h"

// Cutting the sheet with the pointer: with the cut tool on (the menu's or
// the page's), or Shift held, the left button cuts instead of taking hold.
// Each move sweeps the pointer's ray from where it was to where it is, and
// the springs that sweep crosses break: one cut token per move that breaks
// any, with its line.

void setCutTool(bool on);
bool cutToolOn();

void startCut(int x, int y);
// False when no cut is under way.
bool cutTo(int x, int y);
void endCut();

// How many cuts have broken springs so far, and the last of them, so that a
// caller can note what a call cut.
long cutsMade();
const CutSprings& lastCut();
