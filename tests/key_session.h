#pragma once

// A keyboard session with the real program: the keys a person presses and
// the console lines the program answers with.

#include <string>
#include <vector>

#include "tests/child_process.h"

// The "trying to load " lines of the first |slots| texture files.
std::string loaderLines(int slots);

// The program's command keys but the quit keys (which end it), from its own
// table.
std::string commandKeysButQuit();

struct KeyLine {
  const char* keysym;  // X keysym of the key pressed
  const char* line;    // the line it writes; empty for keys outside the table
};

// Every command of the table except the stepping and quitting keys, with keys
// outside the table between them, and ten presses of the stiffness key, whose
// last line is in exponent notation.
const std::vector<KeyLine>& commandSession();

// Presses keys and checks that each command's line arrives before the next
// key is pressed; keeps the transcript the program should have written.
class KeyDriver {
 public:
  KeyDriver(ChildProcess& program, std::string transcript, double secondsPerLine = 10)
      : program_(program), transcript_(std::move(transcript)), secondsPerLine_(secondsPerLine) {}

  // False if the line did not arrive in time.
  bool press(const KeyLine& key);
  bool press(const std::string& keysym, const std::string& line) {
    return press(KeyLine{keysym.c_str(), line.c_str()});
  }
  const std::string& transcript() const { return transcript_; }

 private:
  ChildProcess& program_;
  std::string transcript_;
  double secondsPerLine_;
};
