// libFuzzer target: any bytes as a BMP file. The reader must return 0 or 1,
// never read or write out of bounds, and on success hand back exactly the
// pixels its header promised.
#include <climits>
#include <cstdint>
#include <cstdio>

#include "render/bmp_reader.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The reader explains every refusal on stdout; nobody reads it here.
  return std::freopen("/dev/null", "w", stdout) == nullptr;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The file lives in memory: no system call per input. (fmemopen takes no
  // empty buffer; the unit tests read an empty file from disk.)
  if (size == 0) return 0;
  FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (file == nullptr) __builtin_trap();

  TextureImage image;
  const int status = readBmpFile(file, "fuzz.bmp", image);
  std::fclose(file);
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
