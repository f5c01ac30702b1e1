#include "tools/recorder/frame_sink.h"

#include <png.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <regex>
#include <sstream>

extern char** environ;

namespace fs = std::filesystem;

namespace {

// Lossless RGB frames, one file each, numbered from 1.
class PngFolder : public FrameSink {
 public:
  PngFolder(const RecordingPlan& plan) : folder_(plan.output), plan_(plan) {}

  bool open() {
    std::error_code code;
    if (fs::exists(folder_, code) && !fs::is_directory(folder_, code)) {
      error_ = "OUTPUT '" + folder_.string() + "' exists and is not a folder";
      return false;
    }
    fs::create_directories(folder_, code);
    const fs::path probe = folder_ / ".vantrelle-record-probe";
    FILE* file = code ? nullptr : std::fopen(probe.c_str(), "wb");
    if (file == nullptr) {
      error_ = "cannot write into the folder '" + folder_.string() + "'" +
               (code ? ": " + code.message() : ": " + std::string(std::strerror(errno)));
      return false;
    }
    std::fclose(file);
    fs::remove(probe, code);
    // Frames of an earlier, longer recording would be taken for this one's.
    const std::regex frameName(R"(frame-\d{5,}\.png)");
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_, code))
      if (std::regex_match(entry.path().filename().string(), frameName)) fs::remove(entry, code);
    return true;
  }

  bool write(const std::vector<uint8_t>& rgb) override {
    const fs::path path = folder_ / frameFileName(frames_ + 1);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
      error_ = "cannot write " + path.string() + ": " + std::strerror(errno);
      return false;
    }
    const bool written = writePng(file, rgb);
    if (std::fclose(file) != 0 || !written) {
      error_ = "cannot write " + path.string() + " (disk full?)";
      return false;
    }
    ++frames_;
    return true;
  }

  bool finish() override { return true; }
  void abandon() override {}

 private:
  bool writePng(FILE* file, const std::vector<uint8_t>& rgb) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
      png_destroy_write_struct(&png, nullptr);
      return false;
    }
    if (setjmp(png_jmpbuf(png))) {
      png_destroy_write_struct(&png, &info);
      return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, plan_.width, plan_.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t rowBytes = static_cast<size_t>(plan_.width) * 3;
    for (int row = 0; row < plan_.height; ++row)
      png_write_row(png, const_cast<png_bytep>(&rgb[row * rowBytes]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
  }

  fs::path folder_;
  const RecordingPlan& plan_;
};

// The first executable of this name on PATH, or "".
std::string findOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::stringstream directories(path ? path : "");
  for (std::string directory; std::getline(directories, directory, ':');) {
    const fs::path candidate = fs::path(directory.empty() ? "." : directory) / name;
    if (access(candidate.c_str(), X_OK) == 0 && !fs::is_directory(candidate)) return candidate;
  }
  return "";
}

// Frames piped to ffmpeg as raw RGB; the video is encoded into a temporary
// file beside the output and renamed to it once ffmpeg succeeded.
class FfmpegVideo : public FrameSink {
 public:
  FfmpegVideo(const RecordingPlan& plan) : plan_(plan), final_(plan.output) {}
  ~FfmpegVideo() override { abandon(); }

  bool open() {
    const std::string ffmpeg = findOnPath("ffmpeg");
    if (ffmpeg.empty()) {
      error_ =
          "ffmpeg is needed to write a video and was not found on PATH (Debian: apt-get "
          "install ffmpeg); give a folder instead to get PNG frames";
      return false;
    }
    const fs::path folder = final_.has_parent_path() ? final_.parent_path() : fs::path(".");
    partial_ = folder / ("." + final_.filename().string() + ".partial-" + std::to_string(getpid()) +
                         final_.extension().string());
    FILE* probe = std::fopen(partial_.c_str(), "wb");
    if (probe == nullptr) {
      error_ = "cannot write the video '" + final_.string() + "': " + std::strerror(errno);
      partial_.clear();
      return false;
    }
    std::fclose(probe);

    int ends[2];
    if (pipe(ends) != 0) {
      error_ = std::string("cannot start ffmpeg: ") + std::strerror(errno);
      return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, ends[1]);
    std::vector<std::string> arguments = command(ffmpeg);
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    const int spawned = posix_spawn(&ffmpeg_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[0]);
    if (spawned != 0) {
      close(ends[1]);
      ffmpeg_ = -1;
      error_ = std::string("cannot start ffmpeg: ") + std::strerror(spawned);
      return false;
    }
    input_ = ends[1];
    return true;
  }

  bool write(const std::vector<uint8_t>& rgb) override {
    size_t done = 0;
    while (done < rgb.size()) {
      const ssize_t n = ::write(input_, rgb.data() + done, rgb.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        error_ = "ffmpeg stopped taking frames after " + std::to_string(frames_) + "; " +
                 waitForFfmpeg();
        return false;
      }
      done += static_cast<size_t>(n);
    }
    ++frames_;
    return true;
  }

  bool finish() override {
    const std::string outcome = waitForFfmpeg();
    if (!outcome.empty()) {
      error_ = outcome;
      return false;
    }
    std::error_code code;
    fs::rename(partial_, final_, code);
    if (code) {
      error_ = "cannot name the video " + final_.string() + ": " + code.message();
      return false;
    }
    partial_.clear();
    return true;
  }

  void abandon() override {
    if (ffmpeg_ > 0) kill(ffmpeg_, SIGTERM);
    waitForFfmpeg();
    std::error_code code;
    if (!partial_.empty()) fs::remove(partial_, code);
    partial_.clear();
  }

 private:
  std::vector<std::string> command(const std::string& ffmpeg) const {
    const std::string size = std::to_string(plan_.width) + "x" + std::to_string(plan_.height);
    std::vector<std::string> arguments = {ffmpeg,        "-hide_banner",
                                          "-loglevel",   "error",
                                          "-nostdin",    "-y",
                                          "-f",          "rawvideo",
                                          "-pix_fmt",    "rgb24",
                                          "-video_size", size,
                                          "-framerate",  std::to_string(plan_.fps),
                                          "-i",          "-"};
    // 4:2:0 video needs even sides: odd ones get one black row or column.
    const std::string even = "pad=ceil(iw/2)*2:ceil(ih/2)*2";
    switch (plan_.kind) {
      case OutputKind::Gif:
        // A palette made for this recording, with changes only where the
        // frame changed: true colours, small files.
        arguments.insert(arguments.end(),
                         {"-filter_complex",
                          "split[a][b];[a]palettegen=stats_mode=diff[p];"
                          "[b][p]paletteuse=dither=bayer:bayer_scale=4:diff_mode=rectangle",
                          "-loop", "0", "-f", "gif"});
        break;
      case OutputKind::Mp4:
        arguments.insert(arguments.end(), {"-vf", even, "-c:v", "libx264", "-pix_fmt", "yuv420p",
                                           "-crf", "18", "-movflags", "+faststart", "-f", "mp4"});
        break;
      case OutputKind::Webm:
        arguments.insert(arguments.end(), {"-vf", even, "-c:v", "libvpx-vp9", "-pix_fmt", "yuv420p",
                                           "-crf", "32", "-b:v", "0", "-f", "webm"});
        break;
      case OutputKind::PngFrames:
        break;
    }
    arguments.push_back(partial_.string());
    return arguments;
  }

  // Closes ffmpeg's input and waits for it; "" when it succeeded.
  std::string waitForFfmpeg() {
    if (input_ >= 0) close(input_);
    input_ = -1;
    if (ffmpeg_ <= 0) return exitNote_;
    int status = 0;
    while (waitpid(ffmpeg_, &status, 0) < 0 && errno == EINTR) {
    }
    ffmpeg_ = -1;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return exitNote_ = "";
    exitNote_ = WIFEXITED(status)
                    ? "ffmpeg failed with status " + std::to_string(WEXITSTATUS(status))
                    : "ffmpeg was stopped by signal " + std::to_string(WTERMSIG(status));
    return exitNote_;
  }

  const RecordingPlan& plan_;
  fs::path final_;
  fs::path partial_;
  pid_t ffmpeg_ = -1;
  int input_ = -1;
  std::string exitNote_ = "ffmpeg did not start";
};

}  // namespace

std::string frameFileName(int number) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%05d.png", number);
  return name;
}

std::unique_ptr<FrameSink> openFrameSink(const RecordingPlan& plan, std::string& error) {
  if (plan.kind == OutputKind::PngFrames) {
    auto folder = std::make_unique<PngFolder>(plan);
    if (folder->open()) return folder;
    error = folder->error();
    return nullptr;
  }
  // A broken pipe is reported by write(), not by a signal.
  signal(SIGPIPE, SIG_IGN);
  auto video = std::make_unique<FfmpegVideo>(plan);
  if (video->open()) return video;
  error = video->error();
  return nullptr;
}
