// Milliseconds per frame: display() of the hanging sheet in a 1280 × 1024
// window on the X server the run provides, with the drawing layers off and on.
#include <benchmark/benchmark.h>

#include "app/view_state.h"
#include "render/scene.h"
#include "tests/gl_window.h"

namespace {

void prepareScene() {
  static bool prepared = false;
  if (prepared) return;
  prepared = true;
  openTestWindow(1280, 1024);
  setStartupViewState();
  initRenderState();
  initLighting();
  uploadSolidTexture(0, 200, 180, 120, 256);
  reshape(1280, 1024);
  setUpStartupCloth(cloth);
  for (int n = 0; n < 200; ++n) cloth.step();
}

void drawFrames(benchmark::State& state, bool quads, bool particles, bool normals) {
  prepareScene();
  showQuads = quads;
  showParticles = particles;
  showNormals = normals;
  for (auto _ : state) {
    display();
    glFinish();  // count the whole frame, not just its submission
  }
}

BENCHMARK_CAPTURE(drawFrames, all_layers_off, false, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawFrames, quads_only, true, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawFrames, all_layers_on, true, true, true)->Unit(benchmark::kMillisecond);

}  // namespace
