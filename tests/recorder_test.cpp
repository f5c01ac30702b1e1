// vantrelle-record as a real process on the test run's X server (a screen of
// SCREEN_WIDTH × SCREEN_HEIGHT), in a folder with the ten textures: its frames
// against the real program's picture after the same keys, its repeatability,
// its videos, and its errors.
#include <gtest/gtest.h>
#include <png.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/sheet_export.h"
#include "app/startup_sheet.h"
#include "render/texture.h"
#include "tests/bmp_fixture.h"
#include "tests/child_process.h"
#include "tests/key_session.h"
#include "tests/x_screen.h"

namespace {

namespace fs = std::filesystem;

// A PNG frame as RGB rows from the top.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
  uint32_t at(int x, int y) const {
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
  }
};

Image readPng(const fs::path& path) {
  Image image;
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) return image;
  png.format = PNG_FORMAT_RGB;
  image.rgb.resize(PNG_IMAGE_SIZE(png));
  if (png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr)) {
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
  }
  return image;
}

struct Result {
  int status;
  std::string output;  // standard output and error
};

class Recorder : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : TEXTURE_FILE_NAMES)
      fs::copy_file(fs::path(TEXTURES_DIR) / name, folder_.path() / name);
  }

  Result record(std::vector<std::string> arguments,
                const std::vector<std::string>& environment = {}) const {
    arguments.insert(arguments.begin(), RECORDER);
    std::vector<std::string> variables = childSanitizerEnvironment();
    variables.insert(variables.end(), environment.begin(), environment.end());
    ChildProcess recorder(arguments, folder_.path(), variables, true);
    const int status = recorder.waitForExit(120);
    return {status, recorder.output()};
  }

  std::string size() const {
    return std::to_string(SCREEN_WIDTH) + "x" + std::to_string(SCREEN_HEIGHT);
  }

  TempFolder folder_;
};

// On a terminal (a pseudo-terminal here, made by script(1)) the recorder
// keeps one line up to date with its progress; elsewhere it writes no such
// line (the other tests see its output exactly).
TEST_F(Recorder, ShowsItsProgressOnATerminalOnly) {
  // Long enough before the grab (some 400 frames a second here) that the
  // line, refreshed every 100 ms, has surely been shown by then.
  const std::string command =
      std::string(RECORDER) + " --size 64x48 --script 't +400 grab:0@20,80,20 +20' out";
  std::vector<std::string> variables = childSanitizerEnvironment();
  ChildProcess recorder({"/usr/bin/script", "-qfec", command, "/dev/null"}, folder_.path(),
                        variables, true);
  ASSERT_EQ(recorder.waitForExit(120), 0) << recorder.output();
  // (The test's reader drops carriage returns: each update also clears the
  // rest of the line.)
  const std::string& output = recorder.output();
  EXPECT_NE(output.find("vantrelle-record: 420 of 420 frames, "), std::string::npos) << output;
  EXPECT_NE(output.find(" s left\033[K"), std::string::npos) << output;
  // The grab's line stands on a cleared line, not after a progress line.
  EXPECT_NE(output.find("\033[KGrab = 0 at 20,80,20\n"), std::string::npos) << output;
  EXPECT_NE(output.find("vantrelle-record: 420 frames written to out"), std::string::npos);

  const Result plain = record({"--size", "64x48", "--script", "+30", "frames"});
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(plain.output.find("of 30 frames"), std::string::npos) << plain.output;
  EXPECT_EQ(plain.output.find('\033'), std::string::npos) << plain.output;
}

// Frame k against the program's whole window after k single steps.
TEST_F(Recorder, FrameKIsTheProgramsPictureAfterKSingleSteps) {
  const Result run = record({"--size", size(), "--script", "t t +3 3 p +2", "frames"});
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output, loaderLines(10) + "Texture is 1\nTexture is 2\nRotate Angle = 295\n" +
                            "Particles\nvantrelle-record: 5 frames written to frames\n");

  ChildProcess program({VANTRELLE}, folder_.path(), childSanitizerEnvironment());
  ASSERT_TRUE(program.waitForOutputEnding(loaderLines(10), 20)) << program.output();
  ASSERT_TRUE(waitForWindow("Vantrelle"));
  ASSERT_TRUE(waitForFullScreen("Vantrelle")) << "the window covers the screen from (0, 0)";
  KeyDriver keys(program, loaderLines(10));
  auto expectFrame = [&](int k) {
    SCOPED_TRACE("frame " + std::to_string(k));
    const Image frame =
        readPng(folder_.path() / "frames" / ("frame-0000" + std::to_string(k) + ".png"));
    ASSERT_EQ(frame.width, SCREEN_WIDTH);
    ASSERT_EQ(frame.height, SCREEN_HEIGHT);
    // The window may take a moment to show the last step.
    long differing = -1;
    for (int attempt = 0; attempt < 20 && differing != 0; ++attempt) {
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
      const WindowPicture window = captureWindow("Vantrelle");
      ASSERT_EQ(window.width, frame.width);
      ASSERT_EQ(window.height, frame.height);
      differing = 0;
      for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
          differing += !window.visible(x, y) || window.at(x, y) != frame.at(x, y);
    }
    EXPECT_EQ(differing, 0) << "of " << frame.width * frame.height << " pixels";
  };
  EXPECT_TRUE(keys.press("t", "Texture is 1\n"));
  EXPECT_TRUE(keys.press("t", "Texture is 2\n"));
  EXPECT_TRUE(keys.press("s", "Step Through \n"));
  expectFrame(1);
  EXPECT_TRUE(keys.press("s", "Step Through \n"));
  EXPECT_TRUE(keys.press("s", "Step Through \n"));
  expectFrame(3);
  EXPECT_TRUE(keys.press("3", "Rotate Angle = 295\n"));
  EXPECT_TRUE(keys.press("p", "Particles\n"));
  EXPECT_TRUE(keys.press("s", "Step Through \n"));
  EXPECT_TRUE(keys.press("s", "Step Through \n"));
  expectFrame(5);
  pressKey("q");
  EXPECT_EQ(program.waitForExit(10), 0);
}

TEST_F(Recorder, TwoRecordingsOfOneScriptGiveIdenticalFrames) {
  const std::string script = "t +4 2 n +3 1 +2";
  ASSERT_EQ(record({"--size", "200x150", "--script", script, "first"}).status, 0);
  ASSERT_EQ(record({"--size", "200x150", "--script", script, "second"}).status, 0);
  for (int k = 1; k <= 9; ++k) {
    SCOPED_TRACE(k);
    const std::string name = "frame-0000" + std::to_string(k) + ".png";
    const std::vector<uint8_t> first = readFile((folder_.path() / "first" / name).string());
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(readFile((folder_.path() / "second" / name).string()), first);
  }
  EXPECT_FALSE(fs::exists(folder_.path() / "first" / "frame-00010.png"));
}

// The series and the sheet written beside the frames are the measures and
// the shape of the sheet the same steps give in this process, byte for byte.
TEST_F(Recorder, TheSeriesAndTheSheetAreThoseOfTheStepsPlayed) {
  const Result result = record({"--size", "80x60", "--series", "series.csv", "--obj", "sheet.obj",
                                "--script", "t +3 wind:0,0,0.01 tear:1.5 +2", "frames"});
  ASSERT_EQ(result.status, 0) << result.output;
  auto cloth = std::make_unique<Cloth>();
  setUpStartupCloth(*cloth);
  std::string expected = seriesHeader();
  for (int step = 1; step <= 5; ++step) {
    if (step == 4) {
      cloth->wind = Vector3(0, 0, 0.01);
      cloth->tearRatio = 1.5;
    }
    cloth->step();
    expected += seriesLine(step, measureCloth(*cloth));
  }
  const std::vector<uint8_t> series = readFile((folder_.path() / "series.csv").string());
  EXPECT_EQ(std::string(series.begin(), series.end()), expected);
  const std::vector<uint8_t> obj = readFile((folder_.path() / "sheet.obj").string());
  EXPECT_EQ(std::string(obj.begin(), obj.end()), sheetObj(*cloth));

  const Result unwritable = record({"--series", "no-such-folder/series.csv", "frames"});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_NE(unwritable.output.find("cannot write the series to no-such-folder/series.csv"),
            std::string::npos)
      << unwritable.output;
}

TEST_F(Recorder, QuitKeyEndsTheScriptAndKeepsWhatWasRecorded) {
  fs::create_directory(folder_.path() / "frames");
  // Frames of an earlier, longer recording are not taken for this one's.
  folder_.write("frames/frame-00007.png", {1, 2, 3});
  const Result run = record({"--size", "64x48", "--script", "+3 q +5", "frames"});
  EXPECT_EQ(run.status, 0) << run.output;
  int frames = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder_.path() / "frames"))
    frames += entry.path().extension() == ".png";
  EXPECT_EQ(frames, 3);
}

TEST_F(Recorder, MistakesAreReportedBeforeAnyFrame) {
  folder_.write("a-file", {0});
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string message;
  };
  const Case cases[] = {
      {{"--script", "+3 ab +2", "out"}, 2, "unknown script token 'ab'"},
      {{"--script", "+0", "out"}, 2, "script token '+0' is not a number of steps"},
      {{"--script", "+", "out"}, 2, "script token '+' needs a number of steps"},
      {{"--script", "+2x", "out"}, 2, "script token '+2x' is not a number of steps"},
      {{"--script", "+-3", "out"}, 2, "script token '+-3' is not a number of steps"},
      {{"--script", "t t", "out"}, 2, "the script records no frame"},
      {{"--script", "q +3", "out"}, 2, "the script records no frame"},
      {{"--size", "0x10", "out"}, 2, "--size '0x10' is not WIDTHxHEIGHT"},
      {{"--size", "640", "out"}, 2, "--size '640' is not WIDTHxHEIGHT"},
      {{"--size", "-5x10", "out"}, 2, "--size '-5x10' is not WIDTHxHEIGHT"},
      {{"--size", "axb", "out"}, 2, "--size 'axb' is not WIDTHxHEIGHT"},
      {{"--size", "100000x10", "out"}, 2, "--size '100000x10' is not WIDTHxHEIGHT"},
      {{"--size", "40000x16", "out"}, 1, "--size 40000x16 is beyond what this OpenGL renders"},
      {{"--fps", "0", "out.gif"}, 2, "--fps '0' is not a whole number"},
      {{"--fps", "fast", "out.gif"}, 2, "--fps 'fast' is not a whole number"},
      {{"--size"}, 2, "--size needs a value"},
      {{"--speed", "2", "out"}, 2, "unknown option '--speed'"},
      {{}, 2, "no OUTPUT given"},
      {{"out", "other"}, 2, "more than one OUTPUT"},
      {{"out.avi"}, 2, "OUTPUT 'out.avi' looks like a file of a kind not written here"},
      {{"a-file"}, 1, "OUTPUT 'a-file' exists and is not a folder"},
      {{"a-file/frames"}, 1, "cannot write into the folder 'a-file/frames'"},
      {{"no-such-folder/out.mp4"}, 1, "cannot write the video 'no-such-folder/out.mp4'"},
  };
  for (const Case& c : cases) {
    std::string line;
    for (const std::string& a : c.arguments) line += " " + a;
    SCOPED_TRACE("vantrelle-record" + line);
    const Result run = record(c.arguments);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.output.find("vantrelle-record: " + c.message), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("trying to load"), std::string::npos) << "started rendering";
    EXPECT_FALSE(fs::exists(folder_.path() / "out"));
    EXPECT_FALSE(fs::exists(folder_.path() / "out.gif"));
  }
}

// ffmpeg's own count of the frames of a video, and their size.
std::string probe(const fs::path& video) {
  const std::string command =
      "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
      "stream=nb_read_frames,width,height -of csv=p=0 '" +
      video.string() + "'";
  std::string result;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) result += buffer;
    pclose(pipe);
  }
  return result;
}

TEST_F(Recorder, VideosHoldTheFramesAskedFor) {
  struct Case {
    const char* name;
    const char* size;
    const char* expected;  // width,height,frames as ffprobe prints them
  };
  const Case cases[] = {
      {"clip.gif", "120x90", "120,90,12\n"},
      {"clip.mp4", "121x91", "122,92,12\n"},  // odd sides padded to even for 4:2:0
      {"clip.webm", "120x90", "120,90,12\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Result run = record({"--size", c.size, "--fps", "24", "--script", "t +7 2 +5", c.name});
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(probe(folder_.path() / c.name), c.expected);
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_.path()))
      EXPECT_EQ(entry.path().filename().string().find(".partial"), std::string::npos)
          << entry.path() << " left behind";
  }
}

// A fake ffmpeg on PATH: takes a little input, then fails, as a full disk would.
TEST_F(Recorder, VideoThatFailsHalfWayLeavesNothingUnderItsName) {
  TempFolder bin;
  const std::string fake = bin.write("ffmpeg", {});
  FILE* script = std::fopen(fake.c_str(), "w");
  std::fputs("#!/bin/sh\nhead -c 100000 > /dev/null\necho 'No space left on device' >&2\nexit 1\n",
             script);
  std::fclose(script);
  fs::permissions(fake, fs::perms::owner_all);
  const std::string path = "PATH=" + bin.path().string() + ":/usr/bin:/bin";

  const Result failed = record({"--size", "160x120", "--script", "+40", "clip.mp4"}, {path});
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(failed.output.find("vantrelle-record: ffmpeg"), std::string::npos) << failed.output;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder_.path()))
    EXPECT_EQ(entry.path().extension(), ".bmp") << entry.path() << " left behind";

  // With no ffmpeg at all, nothing is rendered.
  const Result missing = record({"--script", "+3", "clip.gif"}, {"PATH=/nonexistent"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.output.find("vantrelle-record: ffmpeg is needed"), std::string::npos)
      << missing.output;
  EXPECT_EQ(missing.output.find("trying to load"), std::string::npos);
}

}  // namespace
