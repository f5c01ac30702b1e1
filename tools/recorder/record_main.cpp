// vantrelle-record: replays a key script through the program's own keyboard
// commands and records one frame after each step, drawn by the program's own
// display code into an offscreen framebuffer: PNG frames in a folder, or a
// video encoded by ffmpeg. Frame k is the picture the program shows after k
// steps with the same keys pressed first, in a window of the frame's size.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/sheet_export.h"
#include "app/startup.h"
#include "app/token_player.h"
#include "app/view_state.h"
#include "render/glut_window.h"
#include "render/opengl.h"
#include "render/scene.h"
#include "tools/recorder/frame_sink.h"
#include "tools/recorder/offscreen_framebuffer.h"
#include "tools/recorder/progress_line.h"
#include "tools/recorder/recording_plan.h"

namespace {

volatile std::sig_atomic_t interrupted = 0;
void noteInterrupt(int) { interrupted = 1; }

int fail(const std::string& message, int status = 1) {
  std::fprintf(stderr, "vantrelle-record: %s\n", message.c_str());
  return status;
}

// The program would end at a quit key; the recording is written there instead.
bool endsRecording(const ScriptToken& token) {
  const auto* key = std::get_if<KeyPress>(&token);
  return key != nullptr && (key->key == 'q' || key->key == 'Q');
}

// Frames the script records before it ends or reaches a quit key.
long framesPlanned(const std::vector<ScriptToken>& script) {
  long frames = 0;
  for (const ScriptToken& token : script) {
    if (endsRecording(token)) break;
    if (const auto* steps = std::get_if<Steps>(&token)) frames += steps->count;
  }
  return frames;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  for (const std::string& argument : arguments) {
    if (argument == "--help" || argument == "-h") {
      std::fputs(recordingUsage(), stdout);
      return 0;
    }
  }
  RecordingPlan plan;
  std::string error;
  if (!parseRecordingPlan(arguments, plan, error))
    return fail(error + " (vantrelle-record --help shows the options)", 2);
  if (framesPlanned(plan.script) == 0)
    return fail("the script records no frame: add +N to record N steps", 2);
#if !defined(_WIN32) && !defined(__APPLE__)
  const char* xDisplay = std::getenv("DISPLAY");
  if (xDisplay == nullptr || *xDisplay == '\0')
    return fail("needs an X display (DISPLAY is not set); `make record` provides one");
#endif

  // The program's start-up, with a small window of its own: the frames are
  // drawn off screen, in a framebuffer of the frame's size.
  setStartupViewState();
  int glutArgc = 1;
  openGlutWindow(glutArgc, argv, "Vantrelle recorder", 64, 64);
  glutDisplayFunc(display);
  const OffscreenFramebuffer framebuffer(plan.width, plan.height);
  if (!framebuffer.ready()) return fail(framebuffer.error());
  std::unique_ptr<FrameSink> sink = openFrameSink(plan, error);
  if (!sink) return fail(error);
  std::signal(SIGINT, noteInterrupt);
  std::signal(SIGTERM, noteInterrupt);
  prepareScene();
  reshape(plan.width, plan.height);
  ProgressLine progress(framesPlanned(plan.script), stderr);
  std::ofstream series;
  if (!plan.series.empty()) {
    series.open(plan.series, std::ios::binary);
    if (!series) return fail("cannot write the series to " + plan.series);
    series << seriesHeader();
  }
  long stepsTaken = 0;

  for (const ScriptToken& token : plan.script) {
    if (endsRecording(token)) break;
    const auto* steps = std::get_if<Steps>(&token);
    if (steps == nullptr) {
      progress.finish();  // a key's, grab's or release's line on a line of its own
      playToken(token);
      continue;
    }
    for (int n = 0; n < steps->count; ++n) {
      cloth.step();
      if (series.is_open()) series << seriesLine(++stepsTaken, measureCloth(cloth));
      display();
      if (interrupted) {
        progress.finish();
        sink->abandon();
        return fail(plan.kind == OutputKind::PngFrames
                        ? "interrupted after " + std::to_string(sink->framesWritten()) +
                              " frames in " + plan.output
                        : "interrupted; no video written",
                    130);
      }
      if (!sink->write(framebuffer.readPixels())) {
        progress.finish();
        sink->abandon();
        return fail(sink->error());
      }
      progress.frameDone();
    }
  }
  progress.finish();
  if (series.is_open() && !series.flush()) return fail("cannot write the series to " + plan.series);
  if (!plan.obj.empty()) {
    std::ofstream obj(plan.obj, std::ios::binary);
    if (!(obj << sheetObj(cloth)) || !obj.flush())
      return fail("cannot write the sheet to " + plan.obj);
  }
  if (!sink->finish()) {
    sink->abandon();
    return fail(sink->error());
  }
  std::fprintf(stderr, "vantrelle-record: %d frames written to %s\n", sink->framesWritten(),
               plan.output.c_str());
  return 0;
}
