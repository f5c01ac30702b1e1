#include "render/glut_window.h"

#include "render/opengl.h"

void openGlutWindow(int& argc, char** argv, const char* title, int width, int height, int x,
                    int y) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(width, height);
  glutInitWindowPosition(x, y);
  glutCreateWindow(title);
}
