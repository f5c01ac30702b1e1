#pragma once

// What vantrelle-record is asked to do, read from its command line:
//   vantrelle-record [--size WxH] [--fps N] [--script "TOKENS"]
//                    [--series FILE.csv] [--obj FILE.obj] OUTPUT
// The script's "+N" records N steps with one frame after each.

#include <string>
#include <vector>

#include "app/key_script.h"

enum class OutputKind { PngFrames, Gif, Mp4, Webm };

struct RecordingPlan {
  int width = 640;
  int height = 480;
  int fps = 30;
  std::vector<ScriptToken> script;
  std::string output;
  OutputKind kind = OutputKind::PngFrames;
  std::string series;  // the measures after each step, as CSV; "" for none
  std::string obj;     // the sheet after the last step, as OBJ; "" for none
};

constexpr const char* DEFAULT_SCRIPT = "+150";

// Parses the arguments after the program's name. On a mistake, returns false
// with one line saying what is wrong in `error`.
bool parseRecordingPlan(const std::vector<std::string>& arguments, RecordingPlan& plan,
                        std::string& error);

// The usage text.
const char* recordingUsage();
