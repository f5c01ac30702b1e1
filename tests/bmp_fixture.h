#pragma once

// BMP files written by the tests into a temporary folder of their own.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/bmp_encoder.h"

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes the bytes under the name and returns the full path.
  std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const;

 private:
  std::filesystem::path path_;
};

// Stored rows of |width| × |height| pixels; pixel (x, storedRow) has blue
// x, green storedRow, red 200, so a reader's row order and padding show.
std::vector<uint8_t> gradientRows(int width, int height);

// Reads a whole file.
std::vector<uint8_t> readFile(const std::string& path);
