// Vantrelle: a mass-spring cloth in a box, drawn with fixed-function OpenGL
// and driven from the keyboard.
#include "render/opengl.h"

#include <cstdio>
#include <cstring>

#include "app/command_menu.h"
#include "app/hand.h"
#include "app/idle.h"
#include "app/keyboard.h"
#include "app/program_help.h"
#include "app/startup.h"
#include "app/view_state.h"
#include "render/glut_window.h"
#include "render/scene.h"

int main(int argc, char** argv) {
  // The one option of its own; every other argument is GLUT's.
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(programHelp().c_str(), stdout);
    return 0;
  }
  setStartupViewState();

  openGlutWindow(argc, argv, "Vantrelle", windowWidth, windowHeight, 100, 100);
  glutDisplayFunc(display);
  glutReshapeFunc(reshape);
  glutKeyboardFunc(keyboard);
  glutIdleFunc(idle);
  // Beyond the keys: the mouse takes hold of the sheet.
  glutMouseFunc(mouse);
  glutMotionFunc(motion);
  // The commands on the right button, for whoever has not learnt the keys.
  attachCommandMenu();

  prepareScene();
  glutFullScreen();
  glutMainLoop();
  return 0;
}
