// The program's cloth drawing against the plain transcription
// (plain::drawCloth): the same pixels and the same GL state left behind,
// over sheets, layers, views and textures, on Mesa's software rasteriser.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/startup_sheet.h"
#include "app/view_state.h"
#include "render/cloth_drawing.h"
#include "render/plain_cloth_drawing.h"
#include "render/scene.h"
#include "render/texture.h"
#include "tests/gl_window.h"
#include "tests/sim_fixture.h"

namespace {

constexpr int WIDTH = 640;
constexpr int HEIGHT = 480;

// The state a frame leaves that later drawing depends on.
struct LeftState {
  std::vector<float> values;
  static LeftState read() {
    LeftState state;
    const GLenum vectors[] = {GL_CURRENT_COLOR, GL_CURRENT_NORMAL, GL_CURRENT_TEXTURE_COORDS,
                              GL_LINE_WIDTH, GL_POINT_SIZE};
    for (GLenum name : vectors) {
      float v[4] = {0, 0, 0, 0};
      glGetFloatv(name, v);
      state.values.insert(state.values.end(), v, v + 4);
    }
    for (GLenum parameter : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_SHININESS}) {
      float v[4] = {0, 0, 0, 0};
      glGetMaterialfv(GL_FRONT, parameter, v);
      state.values.insert(state.values.end(), v, v + 4);
    }
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    state.values.push_back(static_cast<float>(bound));
    return state;
  }
  // Equal value for value; a NaN (a normal of a diverged sheet) matches a NaN.
  bool operator==(const LeftState& other) const {
    if (values.size() != other.values.size()) return false;
    for (size_t i = 0; i < values.size(); ++i)
      if (values[i] != other.values[i] && !(std::isnan(values[i]) && std::isnan(other.values[i])))
        return false;
    return true;
  }
};

// The sheets the frames are drawn from.
struct Sheet {
  const char* name;
  int steps;
  double stiffness;
  double timeStep;
  bool releasePins;
  bool lab = false;  // cut across and a ball beside it
};
const Sheet sheets[] = {
    {"flat, before the first step (zero normals)", 0, 0.5, 1.0, false},
    {"after one step", 1, 0.5, 1.0, false},
    {"swinging", 150, 0.5, 1.0, false},
    {"falling free", 120, 0.5, 1.0, true},
    {"diverged to infinities and NaNs", 12, 3.0, 40.0, false},
    {"cut across, with the ball", 150, 0.5, 1.0, false, true},
};

std::unique_ptr<Cloth> makeSheet(const Sheet& sheet) {
  auto sheetCloth = makeStartupCloth();
  sheetCloth->setStiffness(sheet.stiffness);
  sheetCloth->setTimeStep(sheet.timeStep);
  if (sheet.releasePins) sheetCloth->clearPins();
  for (int n = 0; n < sheet.steps; ++n) sheetCloth->step();
  if (sheet.lab) {
    EXPECT_GT(sheetCloth->cutSprings(Vector3(-100, 70, -200), Vector3(300, 70, -200),
                                     Vector3(100, 70, 300)),
              40);
    sheetCloth->ball = {true, Vector3(45, 40, 10), 8};
  }
  return sheetCloth;
}

class FastDrawing : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    openTestWindow(WIDTH, HEIGHT);
    setStartupViewState();
    initRenderState();
    initDefaultTexture();
    for (int slot = 0; slot < TEXTURE_SLOT_COUNT; ++slot)
      loadTexture((std::string(TEXTURES_DIR) + "/" + TEXTURE_FILE_NAMES[slot]).c_str(), slot);
    initLighting();
    reshape(WIDTH, HEIGHT);
  }

  void SetUp() override { restoreStaticViewState(); }

  // Draws the frame both ways and compares; returns the lit pixels.
  static int expectSameFrame(const std::string& what) {
    SCOPED_TRACE(what);
    drawFrame(plain::drawCloth);
    const Frame plain = Frame::capture();
    const LeftState plainState = LeftState::read();
    drawFrame(drawCloth);
    const Frame program = Frame::capture();
    const LeftState programState = LeftState::read();
    int differing = 0;
    for (int y = 0; y < HEIGHT; ++y) {
      for (int x = 0; x < WIDTH; ++x) {
        const Rgb a = plain.at(x, y);
        const Rgb b = program.at(x, y);
        differing += a.r != b.r || a.g != b.g || a.b != b.b;
      }
    }
    EXPECT_EQ(differing, 0) << "pixels differ";
    EXPECT_TRUE(programState == plainState) << "the state left behind differs:\n"
                                            << testing::PrintToString(programState.values) << "\n"
                                            << testing::PrintToString(plainState.values);
    return program.litCount(0, 0, WIDTH, HEIGHT, 0);
  }
};

TEST_F(FastDrawing, EveryLayerCombinationOnEverySheet) {
  for (const Sheet& sheet : sheets) {
    cloth = *makeSheet(sheet);
    for (int layers = 0; layers < 8; ++layers) {
      showQuads = layers & 1;
      showParticles = layers & 2;
      showNormals = layers & 4;
      const int lit =
          expectSameFrame(std::string(sheet.name) + ", layers " + std::to_string(layers));
      EXPECT_GT(lit, 0) << "the box at least is drawn";
    }
  }
}

TEST_F(FastDrawing, EveryViewAndTexture) {
  struct View {
    int rotation;
    double eyeZ;
    int texture;
  };
  const View views[] = {
      {290, 150, 0}, {0, 150, 2}, {180, 150, 5},
      {45, 150, 9},  {290, 0, 1},  // the eye on the point it looks at
      {290, 40, 3},                // the eye inside the box
      {-35, 250, 7},
  };
  showQuads = showParticles = showNormals = true;
  for (const char* name : {"swinging", "falling free"}) {
    for (const Sheet& sheet : sheets)
      if (std::string(sheet.name) == name) cloth = *makeSheet(sheet);
    for (const View& view : views) {
      rotationAngle = view.rotation;
      eyePosition = Vector3(0, 0, view.eyeZ);
      currentTexture = view.texture;
      expectSameFrame(std::string(name) + ", rotation " + std::to_string(view.rotation) +
                      ", eye z " + std::to_string(view.eyeZ) + ", texture " +
                      std::to_string(view.texture));
    }
  }
}

}  // namespace
