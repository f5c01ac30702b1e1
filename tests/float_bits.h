#pragma once

#include <cstdio>
#include <cstring>
#include <string>

// The bit patterns of n floats in hex, for messages about values that must be
// equal to the bit (where a printed decimal would hide the difference).
inline std::string hexBits(const float* values, int n) {
  std::string text;
  for (int i = 0; i < n; ++i) {
    unsigned bits;
    std::memcpy(&bits, &values[i], sizeof bits);
    char word[12];
    std::snprintf(word, sizeof word, " %08x", bits);
    text += word;
  }
  return text;
}
