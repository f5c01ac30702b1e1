// Vantrelle: a mass-spring cloth in a box, drawn with fixed-function OpenGL
// and driven from the keyboard.
#include "render/opengl.h"

#include "app/hand.h"
#include "app/idle.h"
#include "app/keyboard.h"
#include "app/startup.h"
#include "app/view_state.h"
#include "render/glut_window.h"
#include "render/scene.h"

int main(int argc, char** argv) {
  setStartupViewState();

  // Every argument is GLUT's: the program has no options of its own.
  openGlutWindow(argc, argv, "Vantrelle", windowWidth, windowHeight, 100, 100);
  glutDisplayFunc(display);
  glutReshapeFunc(reshape);
  glutKeyboardFunc(keyboard);
  glutIdleFunc(idle);
  // Beyond the keys: the mouse takes hold of the sheet.
  glutMouseFunc(mouse);
  glutMotionFunc(motion);

  prepareScene();
  glutFullScreen();
  glutMainLoop();
  return 0;
}
