// Prints a digest of the start-up sheet's positions and face normals after a
// few step counts, then of the lab's runs (their spring tables too). Two
// builds of the core that print the same lines moved the sheet identically,
// to the last bit.
// Usage: trajectory_digest [plain]   (plain: the plain transcription of the step)
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "app/startup_sheet.h"
#include "sim/cloth.h"
#include "sim/plain_step.h"
#include "tools/lab_scenarios.h"

namespace {

// The bit pattern of a double: printed as hex, it reads the same on every
// platform's C library, where %a and %g need not.
uint64_t bitsOf(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// FNV-1a over raw bytes.
uint64_t hashBytes(uint64_t hash, const void* data, size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (size_t i = 0; i < size; ++i) {
    hash ^= bytes[i];
    hash *= 1099511628211ull;
  }
  return hash;
}

uint64_t digest(const Cloth& cloth) {
  const uint64_t hash = hashBytes(1469598103934665603ull, cloth.positions, sizeof cloth.positions);
  return hashBytes(hash, cloth.faceNormals, sizeof cloth.faceNormals);
}

void printLine(const char* label, int step, const Cloth& cloth, uint64_t hash) {
  const Vector3 middle = cloth.particlePosition(PARTICLE_COUNT / 2);
  std::printf("%sstep %d digest %016llx middle %016llx %016llx %016llx\n", label, step,
              static_cast<unsigned long long>(hash),
              static_cast<unsigned long long>(bitsOf(middle.x)),
              static_cast<unsigned long long>(bitsOf(middle.y)),
              static_cast<unsigned long long>(bitsOf(middle.z)));
}

}  // namespace

int main(int argc, char** argv) {
  const bool plain = argc > 1 && std::strcmp(argv[1], "plain") == 0;
  auto cloth = std::make_unique<Cloth>();
  setUpStartupCloth(*cloth);
  const int checkpoints[] = {1, 2, 10, 100, 400};
  int done = 0;
  for (int target : checkpoints) {
    for (; done < target; ++done) {
      if (plain) {
        plain::step(*cloth);
      } else {
        cloth->step();
      }
    }
    printLine("", target, *cloth, digest(*cloth));
  }
  for (const LabScenario& scenario : LAB_SCENARIOS) {
    auto lab = std::make_unique<Cloth>();
    setUpStartupCloth(*lab);
    const std::string label = std::string("lab ") + scenario.name + ": ";
    for (int n = 0; n < scenario.steps; ++n) {
      scenario.beforeStep(*lab, n);
      if (plain) {
        plain::step(*lab);
      } else {
        lab->step();
      }
      if (n + 1 == 1 || n + 1 == scenario.steps / 2 || n + 1 == scenario.steps)
        printLine(label.c_str(), n + 1, *lab,
                  hashBytes(digest(*lab), lab->springs, sizeof lab->springs));
    }
  }
  return 0;
}
