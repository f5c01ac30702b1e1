#pragma once

// The window the scene is drawn in, as the program, the recorder and the
// tests open it: GLUT initialised with the command line (every argument is
// GLUT's), the display mode the drawing needs (RGB, double-buffered, with a
// depth buffer), and a window of this size, made current. x, y: its place
// on the screen; -1 leaves it to the window system.
void openGlutWindow(int& argc, char** argv, const char* title, int width, int height, int x = -1,
                    int y = -1);
