#include "tools/recorder/progress_line.h"

#include <unistd.h>

namespace {
// Often enough to look alive, seldom enough to cost nothing.
constexpr auto REFRESH = std::chrono::milliseconds(100);
}  // namespace

ProgressLine::ProgressLine(long totalFrames, FILE* stream)
    : stream_(isatty(fileno(stream)) ? stream : nullptr),
      total_(totalFrames),
      start_(Clock::now()),
      lastShown_(start_) {}

void ProgressLine::frameDone() {
  ++done_;
  if (stream_ == nullptr) return;
  const Clock::time_point now = Clock::now();
  if (now - lastShown_ < REFRESH && done_ < total_) return;
  lastShown_ = now;
  show();
}

void ProgressLine::show() {
  const double seconds = std::chrono::duration<double>(lastShown_ - start_).count();
  const double rate = seconds > 0 ? done_ / seconds : 0;
  std::fprintf(stream_, "\rvantrelle-record: %ld of %ld frames, %.1f frames/s", done_, total_,
               rate);
  if (rate > 0) std::fprintf(stream_, ", %.0f s left", (total_ - done_) / rate);
  std::fputs("\033[K", stream_);  // the rest of a longer line before
  std::fflush(stream_);
  shown_ = true;
}

void ProgressLine::finish() {
  if (!shown_) return;
  std::fputs("\r\033[K", stream_);
  std::fflush(stream_);
  shown_ = false;
}
