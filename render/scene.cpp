#include "render/scene.h"

#include "render/opengl.h"

#include "app/view_state.h"
#include "render/ball_drawing.h"
#include "render/cloth_drawing.h"

const Material boxMaterial = {
    {0.0f, 0.4f, 0.0f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 0.0f};
const Material clothMaterial = {
    {0.1f, 0.1f, 0.1f, 1.0f}, {0.4f, 0.4f, 0.4f, 1.0f}, {0.2f, 0.1f, 0.8f, 1.0f}, 0.0f};
const Material markerMaterial = {
    {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, 0.5f};
const Material startupMaterial = {
    {0.33f, 0.22f, 0.03f, 1.0f}, {0.78f, 0.57f, 0.11f, 1.0f}, {0.99f, 0.91f, 0.81f, 1.0f}, 27.8f};

const LightSource lightTable[LIGHT_COUNT] = {
    {{0, 0, 1, 0}, {0.1f, 0.1f, 0.1f, 1}, {1, 1, 1, 1}, {0.8f, 0.8f, 0.8f, 1}},
    {{1, 0, 1, 0}, {0, 0, 0, 1}, {0.3f, 0.3f, 0.3f, 1}, {0.5f, 0.5f, 0.5f, 1}},
    {{2, 0, -1, 0}, {0.2f, 0.2f, 0.2f, 1}, {0.9f, 0.9f, 0.9f, 1}, {0.9f, 0.9f, 0.9f, 1}},
    {{0, 0, -1, 0}, {0.2f, 0.2f, 0.2f, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}},
};

void applyMaterial(Material m) {
  glMaterialfv(GL_FRONT, GL_AMBIENT, m.ambient);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, m.diffuse);
  glMaterialfv(GL_FRONT, GL_SPECULAR, m.specular);
  glMaterialfv(GL_FRONT, GL_SHININESS, &m.shininess);
}

void initRenderState() {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  glPointSize(3.0f);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glViewport(0, 0, windowWidth, windowHeight);
}

void initLighting() {
  for (int i = 0; i < ENABLED_LIGHT_COUNT; ++i) glEnable(GL_LIGHT0 + i);
  // Loaded under the identity, the light directions are in eye coordinates
  // and stay fixed to the viewer however the scene turns.
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  for (int i = 0; i < LIGHT_COUNT; ++i) {
    const LightSource& light = lightTable[i];
    glLightfv(GL_LIGHT0 + i, GL_POSITION, light.position);
    glLightfv(GL_LIGHT0 + i, GL_DIFFUSE, light.diffuse);
    glLightfv(GL_LIGHT0 + i, GL_AMBIENT, light.ambient);
    glLightfv(GL_LIGHT0 + i, GL_SPECULAR, light.specular);
  }
  glShadeModel(GL_FLAT);
  glEnable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  applyMaterial(startupMaterial);
}

void display() { drawFrame(drawCloth); }

void loadFrameCamera() {
  glLoadIdentity();
  gluLookAt(eyePosition.x, eyePosition.y, eyePosition.z, lookAtCentre.x, lookAtCentre.y,
            lookAtCentre.z, 0.0, 1.0, 0.0);
  glRotatef(static_cast<float>(rotationAngle), 0.0f, 1.0f, 0.0f);
  // The cloth lives in [0, box] x [0, box] x [-box/2, box/2]; shift that onto
  // the cube, which GLUT draws centred on the origin.
  const float halfBox = static_cast<float>(0.5 * boxSize);
  glTranslatef(-halfBox, -halfBox, 0.0f);
}

void drawFrame(void (*drawClothLayers)()) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  loadFrameCamera();
  const float halfBox = static_cast<float>(0.5 * boxSize);

  glPushMatrix();
  glTranslatef(halfBox, halfBox, 0.0f);
  glColor3f(0.0f, 0.7f, 0.1f);
  applyMaterial(boxMaterial);
  glDisable(GL_TEXTURE_2D);
  glutWireCube(boxSize);
  glEnable(GL_TEXTURE_2D);
  glPopMatrix();

  drawClothLayers();
  if (cloth.ball.present) drawBall(cloth.ball);
  glPopMatrix();
  glutSwapBuffers();
}

void reshape(int width, int height) {
  windowWidth = width;
  windowHeight = height;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  // A minimised window reports height 0: keep the ratio finite.
  const double aspect = static_cast<double>(width) / static_cast<double>(height > 0 ? height : 1);
  gluPerspective(60.0, aspect, nearPlane, farPlane);
  glMatrixMode(GL_MODELVIEW);
  glViewport(0, 0, width, height);
  glutPostRedisplay();
}
