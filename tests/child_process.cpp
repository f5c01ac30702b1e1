#include "tests/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

std::string nameOf(const std::string& entry) { return entry.substr(0, entry.find('=')); }

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::filesystem::path& folder,
                           const std::vector<std::string>& extraEnvironment, bool captureErrors) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  if (captureErrors) posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());

  std::vector<std::string> environment;
  for (char** e = environ; *e != nullptr; ++e) {
    bool replaced = false;
    for (const std::string& extra : extraEnvironment) replaced |= nameOf(extra) == nameOf(*e);
    if (!replaced) environment.emplace_back(*e);
  }
  environment.insert(environment.end(), extraEnvironment.begin(), extraEnvironment.end());
  std::vector<char*> envp;
  for (std::string& e : environment) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> arguments = argv;
  std::vector<char*> args;
  for (std::string& a : arguments) args.push_back(a.data());
  args.push_back(nullptr);

  if (posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), envp.data()) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  outputFd_ = pipeEnds[0];
  fcntl(outputFd_, F_SETFL, O_NONBLOCK);
}

ChildProcess::~ChildProcess() {
  if (running()) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (outputFd_ >= 0) close(outputFd_);
}

bool ChildProcess::waitForOutputEnding(const std::string& text, double seconds) {
  const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
  while (true) {
    readAvailable(50);
    if (output_.size() >= text.size() &&
        output_.compare(output_.size() - text.size(), text.size(), text) == 0)
      return true;
    if (Clock::now() > deadline) return false;
  }
}

bool ChildProcess::waitForOutputLength(size_t length, double seconds) {
  const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
  while (output_.size() < length) {
    if (Clock::now() > deadline) return false;
    readAvailable(50);
  }
  return true;
}

void ChildProcess::readAvailable(int timeoutMs) {
  pollfd p{outputFd_, POLLIN, 0};
  if (poll(&p, 1, timeoutMs) <= 0) return;
  char buffer[4096];
  for (ssize_t n; (n = read(outputFd_, buffer, sizeof buffer)) > 0;) {
    for (ssize_t i = 0; i < n; ++i)
      if (buffer[i] != '\r') output_ += buffer[i];
  }
}

int ChildProcess::waitForExit(double seconds) {
  const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
  while (running()) {
    if (Clock::now() >= deadline) return -1;
    readAvailable(20);
  }
  readAvailable(0);
  return status_;
}

bool ChildProcess::running() {
  if (status_ >= 0 || pid_ <= 0) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return false;
}

std::vector<std::string> childSanitizerEnvironment() { return {"ASAN_OPTIONS=detect_leaks=0"}; }
