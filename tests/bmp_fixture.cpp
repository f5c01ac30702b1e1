#include "tests/bmp_fixture.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vantrelle-XXXXXX").string();
  path_ = mkdtemp(pattern.data());
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::write(const std::string& name, const std::vector<uint8_t>& bytes) const {
  const std::filesystem::path file = path_ / name;
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return file.string();
}

std::vector<uint8_t> gradientRows(int width, int height) {
  std::vector<uint8_t> rows;
  for (int y = 0; y < std::abs(height); ++y) {
    for (int x = 0; x < std::abs(width); ++x) {
      rows.push_back(static_cast<uint8_t>(x));
      rows.push_back(static_cast<uint8_t>(y));
      rows.push_back(200);
    }
  }
  return rows;
}

std::vector<uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
