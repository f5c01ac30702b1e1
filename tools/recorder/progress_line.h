#pragma once

#include <chrono>
#include <cstdio>

// Long recordings say how far they are: on a terminal, one line that updates
// itself (frames done of the total, frames per second, time left). Where the
// stream is not a terminal (a script, a test, a log) it writes nothing.
class ProgressLine {
 public:
  ProgressLine(long totalFrames, FILE* stream);
  void frameDone();
  // Clears the line, so that whatever is written next starts on a clean one.
  void finish();

 private:
  using Clock = std::chrono::steady_clock;
  void show();

  FILE* stream_;
  bool shown_ = false;
  long total_;
  long done_ = 0;
  Clock::time_point start_;
  Clock::time_point lastShown_;
};
