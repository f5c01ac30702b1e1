#include "tools/recorder/recording_plan.h"

namespace {

bool endsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Wider or taller than any GL implementation renders; the real limit is
// checked against the GL context before the first frame.
constexpr int MAX_SIDE = 1 << 16;
constexpr int MAX_FPS = 1000;

}  // namespace

bool parseRecordingPlan(const std::vector<std::string>& arguments, RecordingPlan& plan,
                        std::string& error) {
  std::string script = DEFAULT_SCRIPT;
  std::vector<std::string> outputs;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool takesValue = argument == "--size" || argument == "--fps" || argument == "--script" ||
                            argument == "--series" || argument == "--obj";
    if (takesValue && i + 1 == arguments.size()) {
      error = argument + " needs a value";
      return false;
    }
    if (argument == "--size") {
      const std::string value = arguments[++i];
      const size_t x = value.find('x');
      if (x == std::string::npos || !parsePositive(value.substr(0, x), MAX_SIDE, plan.width) ||
          !parsePositive(value.substr(x + 1), MAX_SIDE, plan.height)) {
        error = "--size '" + value + "' is not WIDTHxHEIGHT with two positive whole numbers";
        return false;
      }
    } else if (argument == "--fps") {
      if (!parsePositive(arguments[++i], MAX_FPS, plan.fps)) {
        error = "--fps '" + arguments[i] + "' is not a whole number from 1 to " +
                std::to_string(MAX_FPS);
        return false;
      }
    } else if (argument == "--script") {
      script = arguments[++i];
    } else if (argument == "--series") {
      plan.series = arguments[++i];
    } else if (argument == "--obj") {
      plan.obj = arguments[++i];
    } else if (argument.size() > 1 && argument[0] == '-') {
      error = "unknown option '" + argument + "'";
      return false;
    } else {
      outputs.push_back(argument);
    }
  }
  if (outputs.size() != 1) {
    error = outputs.empty()
                ? "no OUTPUT given: a folder for PNG frames, or a .gif, .mp4 or .webm file"
                : "more than one OUTPUT given";
    return false;
  }
  plan.output = outputs[0];
  plan.kind = endsWith(plan.output, ".gif")    ? OutputKind::Gif
              : endsWith(plan.output, ".mp4")  ? OutputKind::Mp4
              : endsWith(plan.output, ".webm") ? OutputKind::Webm
                                               : OutputKind::PngFrames;
  for (const char* media : {".png", ".avi", ".mov", ".mkv", ".apng", ".jpg"}) {
    if (plan.kind == OutputKind::PngFrames && endsWith(plan.output, media)) {
      error = "OUTPUT '" + plan.output +
              "' looks like a file of a kind not written here: give a folder for PNG frames, "
              "or a .gif, .mp4 or .webm file";
      return false;
    }
  }
  return parseScript(script, plan.script, error);
}

const char* recordingUsage() {
  return "usage: vantrelle-record [--size WxH] [--fps N] [--script \"TOKENS\"]\n"
         "                        [--series FILE.csv] [--obj FILE.obj] OUTPUT\n"
         "  Replays a key script step by step and records one frame after each step.\n"
         "  --size WxH       frame size in pixels (default 640x480)\n"
         "  --fps N          frames per second of a video (default 30)\n"
         "  --script TOKENS  what to play, tokens separated by spaces (default \"+150\"):\n"
         "                   a single character is a key press, as in the program;\n"
         "                   +N records N steps; q or Q ends the script there;\n"
         "                   grab:N@x,y,z takes particle N (0 to 2024) with the hand at\n"
         "                   x,y,z; move:x,y,z moves the hand; release lets go;\n"
         "                   place puts the held particle on the hand now, at rest;\n"
         "                   the lab: wind:x,y,z, ball:x,y,z,r, ball:off, tear:k,\n"
         "                   tear:off, passes:n, damping:d, gravity:x,y,z, and\n"
         "                   cut:ax,ay,az,bx,by,bz,cx,cy,cz (the springs crossing a triangle);\n"
         "                   stretch:on colours the quads by stretch, stretch:off textures them\n"
         "  --series FILE    the sheet's measures after each step, as CSV: step (from 1),\n"
         "                   kinetic_energy, potential_energy, max_stretch, mean_stretch,\n"
         "                   springs_broken, wind_work\n"
         "  --obj FILE       the sheet after the last step, as a Wavefront OBJ\n"
         "  OUTPUT           a folder: PNG frames frame-00001.png, frame-00002.png, ...\n"
         "                   a .gif, .mp4 or .webm file: a video made by ffmpeg\n"
         "  The ten textures are read from the working directory, as the program reads them.\n"
         "  Example: vantrelle-record --script \"t t +150 2 +60 1 +150\" cloth.gif\n"
         "  A drag: vantrelle-record --script \\\n"
         "            \"+60 grab:2024@90,10,0 move:95,5,20 +60 release +60\" drag.gif\n";
}
