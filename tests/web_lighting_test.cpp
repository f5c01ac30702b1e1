// The browser's light arithmetic (web/gl/lighting) against desktop GL's on
// Mesa: the light positions GL stores, and the half vectors, light-material
// products and scene colour its lighting reads, read back from Mesa through
// a compatibility-profile shader and transform feedback, bit for bit.
// Shaders and transform feedback are GL 2 and 3 entry points: declared with
// the prototypes, as Linux's GL library exports them.
#define GL_GLEXT_PROTOTYPES
#include "render/opengl.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "render/scene.h"
#include "tests/float_bits.h"
#include "tests/gl_window.h"
#include "web/gl/lighting.h"

namespace {

void expectSame(const float* desktop, const float* browser, int n, const std::string& what) {
  EXPECT_EQ(std::memcmp(desktop, browser, n * sizeof(float)), 0)
      << what << "\n desktop" << hexBits(desktop, n) << "\n browser" << hexBits(browser, n);
}

// What Mesa's lighting reads for one light, as the built-in uniforms give it.
struct DesktopLight {
  float halfVector[4];
  float ambient[4];
  float diffuse[4];
  float specular[4];
  float sceneColor[4];
};

// Copies light `unit`'s built-ins into a transform feedback buffer.
DesktopLight readDesktopLight(int unit) {
  const std::string source = "#version 130\n#define UNIT " + std::to_string(unit) + "\n" + R"(
out vec4 h, a, d, s, c;
void main() {
  h = gl_LightSource[UNIT].halfVector;
  a = gl_FrontLightProduct[UNIT].ambient;
  d = gl_FrontLightProduct[UNIT].diffuse;
  s = gl_FrontLightProduct[UNIT].specular;
  c = gl_FrontLightModelProduct.sceneColor;
  gl_Position = vec4(0.0);
}
)";
  const char* text = source.c_str();
  const GLuint shader = glCreateShader(GL_VERTEX_SHADER);
  glShaderSource(shader, 1, &text, nullptr);
  glCompileShader(shader);
  GLint compiled = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  EXPECT_TRUE(compiled);
  const GLuint program = glCreateProgram();
  glAttachShader(program, shader);
  const char* varyings[] = {"h", "a", "d", "s", "c"};
  glTransformFeedbackVaryings(program, 5, varyings, GL_INTERLEAVED_ATTRIBS);
  glLinkProgram(program);
  GLint linked = 0;
  glGetProgramiv(program, GL_LINK_STATUS, &linked);
  EXPECT_TRUE(linked);

  GLuint buffer = 0;
  glGenBuffers(1, &buffer);
  glBindBuffer(GL_TRANSFORM_FEEDBACK_BUFFER, buffer);
  glBufferData(GL_TRANSFORM_FEEDBACK_BUFFER, sizeof(DesktopLight), nullptr, GL_STATIC_READ);
  glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, buffer);
  glUseProgram(program);
  glEnable(GL_RASTERIZER_DISCARD);
  glBeginTransformFeedback(GL_POINTS);
  glDrawArrays(GL_POINTS, 0, 1);
  glEndTransformFeedback();
  glDisable(GL_RASTERIZER_DISCARD);
  glUseProgram(0);
  DesktopLight light{};
  glGetBufferSubData(GL_TRANSFORM_FEEDBACK_BUFFER, 0, sizeof light, &light);
  glDeleteBuffers(1, &buffer);
  glDeleteProgram(program);
  glDeleteShader(shader);
  return light;
}

struct Case {
  const char* name;
  float scale;  // 1: rotations and translations only
  float turn;   // degrees about (1, 2, 3) when the lights are loaded
  LightSource light;
  Material material;
};

TEST(BrowserLighting, LightsAndProductsAreDesktopGLs) {
  openTestWindow(64, 64);
  const Case cases[] = {
      {"the program's lights under the identity", 1, 0, lightTable[0], clothMaterial},
      {"the program's second light, the box's material", 1, 0, lightTable[1], boxMaterial},
      {"the program's third light, the markers' material", 1, 0, lightTable[2], markerMaterial},
      {"loaded under a turn", 1, 37, lightTable[1], clothMaterial},
      {"loaded under a scale", 2.5f, 0, lightTable[0], startupMaterial},
      {"loaded under a turn and a scale",
       0.3f,
       290,
       {{0.3f, -0.7f, 0.11f, 0},
        {0.1f, 0.2f, 0.3f, 1},
        {0.9f, 0.7f, 0.33f, 1},
        {0.6f, 0.6f, 0.6f, 1}},
       {{0.13f, 0.7f, 0.2f, 1}, {0.3f, 0.77f, 0.9f, 0.5f}, {0.2f, 0.4f, 0.6f, 1}, 17}},
  };
  for (const Case& c : cases) {
    LightingState browser;
    TransformMatrix modelview = TransformMatrix::identity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (c.turn != 0) {
      glRotatef(c.turn, 1, 2, 3);
      modelview.rotate(c.turn, 1, 2, 3);
    }
    const float scale[16] = {c.scale, 0, 0, 0, 0, c.scale, 0, 0, 0, 0, c.scale, 0, 0, 0, 0, 1};
    glMultMatrixf(scale);
    modelview.multiply(scale);

    for (int unit = 0; unit < 2; ++unit) {
      glLightfv(GL_LIGHT0 + unit, GL_POSITION, c.light.position);
      glLightfv(GL_LIGHT0 + unit, GL_AMBIENT, c.light.ambient);
      glLightfv(GL_LIGHT0 + unit, GL_DIFFUSE, c.light.diffuse);
      glLightfv(GL_LIGHT0 + unit, GL_SPECULAR, c.light.specular);
      Light& light = browser.lights[unit];
      light.enabled = true;
      storeLightPosition(light, modelview, c.light.position);
      std::memcpy(light.colors.ambient, c.light.ambient, sizeof c.light.ambient);
      std::memcpy(light.colors.diffuse, c.light.diffuse, sizeof c.light.diffuse);
      std::memcpy(light.colors.specular, c.light.specular, sizeof c.light.specular);
      glEnable(GL_LIGHT0 + unit);
    }
    applyMaterial(c.material);
    MaterialState& material = browser.material;
    std::memcpy(material.colors.ambient, c.material.ambient, sizeof c.material.ambient);
    std::memcpy(material.colors.diffuse, c.material.diffuse, sizeof c.material.diffuse);
    std::memcpy(material.colors.specular, c.material.specular, sizeof c.material.specular);
    material.shininess = c.material.shininess;

    // Drawn under the same matrix: a scale keeps the lighting in eye space,
    // where the half vector is the one the built-ins give.
    const LightUniforms uniforms = lightUniforms(browser, modelview);
    EXPECT_EQ(uniforms.eyeSpaceNormals, c.scale != 1) << c.name;
    EXPECT_EQ(uniforms.count, 2) << c.name;
    for (int unit = 0; unit < 2; ++unit) {
      const std::string what = std::string(c.name) + ", light " + std::to_string(unit);
      float position[4];
      glGetLightfv(GL_LIGHT0 + unit, GL_POSITION, position);
      expectSame(position, browser.lights[unit].eyePosition, 4, what + ": eye position");

      const DesktopLight desktop = readDesktopLight(unit);
      expectSame(desktop.ambient, uniforms.ambient[unit], 3, what + ": ambient product");
      expectSame(desktop.diffuse, uniforms.diffuse[unit], 3, what + ": diffuse product");
      expectSame(desktop.specular, uniforms.specular[unit], 3, what + ": specular product");
      expectSame(desktop.sceneColor, uniforms.sceneColor, 4, what + ": scene colour");
      if (uniforms.eyeSpaceNormals)
        expectSame(desktop.halfVector, uniforms.halfVector[unit], 3, what + ": half vector");
    }
  }
}

}  // namespace
