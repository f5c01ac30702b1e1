// Milliseconds per frame at 1920 × 1080 on the X server the run provides
// (Xvfb and Mesa's llvmpipe under `make bench`), while the sheet animates:
// the program's drawing beside the plain transcription it replaces, with all
// three layers and with the quads only, in interleaved repetitions. Prints
// the frames-per-second ratios of the medians.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/startup_sheet.h"
#include "app/view_state.h"
#include "bench/median_reporter.h"
#include "render/cloth_drawing.h"
#include "render/plain_cloth_drawing.h"
#include "render/scene.h"
#include "tests/gl_window.h"

namespace {

constexpr int WIDTH = 1920;
constexpr int HEIGHT = 1080;

// Positions and normals of the sheet over a stretch of its fall and swing.
struct ClothState {
  Vector3 positions[PARTICLE_COUNT];
  Vector3 faceNormals[QUAD_COUNT];
};
std::vector<ClothState> animation;

void prepareScene() {
  if (!animation.empty()) return;
  openTestWindow(WIDTH, HEIGHT);
  setStartupViewState();
  initRenderState();
  initLighting();
  uploadSolidTexture(0, 200, 180, 120, 256);
  reshape(WIDTH, HEIGHT);
  setUpStartupCloth(cloth);
  for (int n = 0; n < 240; ++n) {
    cloth.step();
    if (n >= 40 && n % 2 == 0) {
      ClothState& state = animation.emplace_back();
      std::memcpy(state.positions, cloth.positions, sizeof state.positions);
      std::memcpy(state.faceNormals, cloth.faceNormals, sizeof state.faceNormals);
    }
  }
}

void drawFrames(benchmark::State& state, void (*drawClothLayers)(), bool allLayers,
                bool ball = false) {
  prepareScene();
  // The lab's ball where the sheet swings, the size the menu's large one is.
  cloth.ball = {ball, Vector3(45.0, 30.0, 5.0), 12.0};
  showQuads = true;
  showParticles = allLayers;
  showNormals = allLayers;
  size_t frame = 0;
  for (auto _ : state) {
    const ClothState& next = animation[frame++ % animation.size()];
    std::memcpy(cloth.positions, next.positions, sizeof next.positions);
    std::memcpy(cloth.faceNormals, next.faceNormals, sizeof next.faceNormals);
    drawFrame(drawClothLayers);
    glFinish();  // count the whole frame, not just its submission
  }
}

constexpr int REPETITIONS = 15;
#define FRAME_BENCHMARK(name, drawing, allLayers)         \
  BENCHMARK_CAPTURE(drawFrames, name, drawing, allLayers) \
      ->Unit(benchmark::kMillisecond)                     \
      ->Iterations(60)                                    \
      ->Repetitions(REPETITIONS)                          \
      ->ReportAggregatesOnly(true)

FRAME_BENCHMARK(all_layers_plain, plain::drawCloth, true);
FRAME_BENCHMARK(all_layers_program, drawCloth, true);
FRAME_BENCHMARK(quads_only_plain, plain::drawCloth, false);
FRAME_BENCHMARK(quads_only_program, drawCloth, false);
BENCHMARK_CAPTURE(drawFrames, quads_only_program_with_the_ball, drawCloth, false, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(60)
    ->Repetitions(REPETITIONS)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  MedianReporter reporter;
  runInterleaved(argc, argv, reporter);
  for (const std::string layers : {"all_layers", "quads_only"}) {
    const double plain = reporter.median("drawFrames/" + layers + "_plain");
    const double program = reporter.median("drawFrames/" + layers + "_program");
    if (plain == 0 || program == 0) continue;
    std::printf("frame, %s: program / plain frames per second = %.3f (median of %d each)\n",
                layers.c_str(), plain / program, REPETITIONS);
  }
  const double without = reporter.median("drawFrames/quads_only_program");
  const double with = reporter.median("drawFrames/quads_only_program_with_the_ball");
  if (without > 0 && with > 0)
    std::printf("frame with the lab's ball / frame without = %.3f (median of %d each)\n",
                with / without, REPETITIONS);
  return 0;
}
