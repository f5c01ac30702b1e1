#include "app/cutter.h"

#include "app/hand.h"
#include "app/lab.h"
#include "render/picking.h"

namespace {

bool tool = false;
bool cutting = false;
PointerRay from;
long made = 0;
CutSprings last{};

}  // namespace

void setCutTool(bool on) { tool = on; }
bool cutToolOn() { return tool; }

void startCut(int x, int y) {
  cutting = true;
  from = pointerRay(x, y);
}

bool cutTo(int x, int y) {
  if (!cutting) return false;
  const PointerRay to = pointerRay(x, y);
  // On the hand's grid, so that a link writes the cut in a few digits.
  const CutSprings cut{onHandGrid(from.eye), onHandGrid(from.farPoint), onHandGrid(to.farPoint)};
  from = to;
  if (cutSprings(cut) > 0) {
    last = cut;
    ++made;
  }
  return true;
}

void endCut() { cutting = false; }

long cutsMade() { return made; }
const CutSprings& lastCut() { return last; }
