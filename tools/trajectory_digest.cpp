// Prints a digest of the start-up sheet's positions after a few step counts.
// Two builds of the core that print the same lines moved the sheet identically,
// to the last bit.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/view_state.h"
#include "sim/cloth.h"

namespace {

// The bit pattern of a double: printed as hex, it reads the same on every
// platform's C library, where %a and %g need not.
uint64_t bitsOf(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

uint64_t digest(const Cloth& cloth) {
  // FNV-1a over the raw bytes of every coordinate.
  uint64_t hash = 1469598103934665603ull;
  const auto* bytes = reinterpret_cast<const unsigned char*>(cloth.positions);
  for (size_t i = 0; i < sizeof cloth.positions; ++i) {
    hash ^= bytes[i];
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace

int main() {
  auto cloth = std::make_unique<Cloth>();
  setUpStartupCloth(*cloth);
  const int checkpoints[] = {1, 2, 10, 100, 400};
  int done = 0;
  for (int target : checkpoints) {
    for (; done < target; ++done) cloth->step();
    const Vector3 middle = cloth->particlePosition(PARTICLE_COUNT / 2);
    std::printf("step %d digest %016llx middle %016llx %016llx %016llx\n", target,
                static_cast<unsigned long long>(digest(*cloth)),
                static_cast<unsigned long long>(bitsOf(middle.x)),
                static_cast<unsigned long long>(bitsOf(middle.y)),
                static_cast<unsigned long long>(bitsOf(middle.z)));
  }
  return 0;
}
