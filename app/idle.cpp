#include "app/idle.h"

#include "render/opengl.h"

#include "app/view_state.h"

void idle() {
  if (stepPending) {
    cloth.step();
    glutPostRedisplay();
  }
  stepPending = animating;
}
