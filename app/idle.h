#pragma once

// GLUT idle callback: at most one simulation step per call, taken when a step
// was pending at the start of the call; then the next call's step is armed
// only while animating.
void idle();
