#pragma once

// A program started as a child process in a folder of its own, with its
// standard output on a pipe that the test reads.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

class ChildProcess {
 public:
  // argv[0] is the program's path. extraEnvironment entries ("NAME=value")
  // replace inherited ones of the same name. With captureErrors, standard
  // error goes into the output too.
  ChildProcess(const std::vector<std::string>& argv, const std::filesystem::path& folder,
               const std::vector<std::string>& extraEnvironment = {}, bool captureErrors = false);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  // Everything written so far. A Windows program ends its lines with CR LF;
  // the carriage returns are dropped, so lines compare as on Linux.
  const std::string& output() const { return output_; }

  // Waits until the output ends with the given text.
  bool waitForOutputEnding(const std::string& text, double seconds);
  // Waits until at least this many bytes have been written.
  bool waitForOutputLength(size_t length, double seconds);
  // Reads what has arrived, waiting at most the given time for the first byte.
  void readAvailable(int timeoutMs);
  // The exit status (128 + signal when killed), or -1 if the program is
  // still running after the wait.
  int waitForExit(double seconds);
  // Whether the program has not ended yet.
  bool running();

 private:
  pid_t pid_ = -1;
  int outputFd_ = -1;
  int status_ = -1;  // the exit status once the program has ended
  std::string output_;
};

// The environment variables of the sanitizer build that a child must not
// inherit as they are: the GL driver unloads before the leak check runs and
// leaves allocations nobody can attribute, so leaks are checked in-process.
std::vector<std::string> childSanitizerEnvironment();
