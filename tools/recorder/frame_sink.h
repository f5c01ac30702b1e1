#pragma once

// Where recorded frames go: numbered PNG files in a folder, or a video that
// ffmpeg encodes from frames piped to it. A video is written under a
// temporary name and takes its own name only once ffmpeg has finished it, so
// a recording that fails half-way never leaves a file under the final name.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/recorder/recording_plan.h"

class FrameSink {
 public:
  virtual ~FrameSink() = default;
  // One frame of width × height RGB pixels, rows from the top.
  virtual bool write(const std::vector<uint8_t>& rgb) = 0;
  // Completes the output.
  virtual bool finish() = 0;
  // Removes whatever an unfinished output left.
  virtual void abandon() = 0;
  const std::string& error() const { return error_; }
  int framesWritten() const { return frames_; }

 protected:
  std::string error_;
  int frames_ = 0;
};

// Checks that the output can be written (and, for a video, that ffmpeg is
// there) before anything is rendered. Returns null with `error` set if not.
std::unique_ptr<FrameSink> openFrameSink(const RecordingPlan& plan, std::string& error);

// "frame-00001.png" for the first frame.
std::string frameFileName(int number);
