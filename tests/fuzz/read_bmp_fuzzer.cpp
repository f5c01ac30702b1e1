// libFuzzer target: any bytes as a BMP file. The reader must return 0 or 1,
// never read or write out of bounds, and on success hand back exactly the
// pixels its header promised.
#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>

#include "render/texture.h"

namespace {

int memoryFile = -1;
std::string memoryFilePath;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The reader explains every refusal on stdout; nobody reads it here.
  if (std::freopen("/dev/null", "w", stdout) == nullptr) return 1;
  // The reader opens files by name: give it one that lives in memory.
  memoryFile = memfd_create("bmp", 0);
  memoryFilePath = "/proc/self/fd/" + std::to_string(memoryFile);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (ftruncate(memoryFile, 0) != 0) __builtin_trap();
  if (size > 0 && pwrite(memoryFile, data, size, 0) != static_cast<ssize_t>(size)) __builtin_trap();

  TextureImage image;
  const int status = readBmp(memoryFilePath.c_str(), image);
  if (status != 0 && status != 1) __builtin_trap();
  if (status == 1) {
    if (image.width <= 0 || image.height <= 0 || !image.pixels) __builtin_trap();
    const int64_t count = int64_t{image.width} * image.height * 3;
    if (count > INT32_MAX || count > static_cast<int64_t>(size) * 2) __builtin_trap();
    // Touch every byte: the sanitizer notices any the allocation lacks.
    unsigned sum = 0;
    for (int64_t i = 0; i < count; ++i) sum += image.pixels[i];
    if (sum == 0xFFFFFFFFu) std::fputc('.', stdout);
  }
  return 0;
}
