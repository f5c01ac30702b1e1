#pragma once

// GLUT keyboard callback: one character, one command, one console line.
// Keys outside the command table do nothing at all. x and y (the mouse
// position) are ignored.
void keyboard(unsigned char key, int x, int y);
