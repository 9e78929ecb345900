// A small seeded generator whose sequence is the same on every platform and library, so a blog's
// pages are reproducible byte for byte (the standard distributions are not).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace plimo::sim {

class SeededRandom {
 public:
  explicit SeededRandom(uint64_t seed) : state_(seed) {}

  // splitmix64: tiny, fast and well mixed, which is all a page generator needs.
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // A number in [0, bound); bound must be positive.
  int Below(int bound) { return static_cast<int>(Next() % static_cast<uint64_t>(bound)); }

  // A number in [low, high].
  int Between(int low, int high) { return low + Below(high - low + 1); }

  template <class T>
  const T& Pick(const std::vector<T>& items) {
    return items[static_cast<size_t>(Below(static_cast<int>(items.size())))];
  }

 private:
  uint64_t state_;
};

// FNV-1a, to fold an id into a seed.
inline uint64_t HashText(std::string_view text, uint64_t basis = 0xCBF29CE484222325ull) {
  uint64_t hash = basis;
  for (const char byte : text) {
    hash ^= static_cast<unsigned char>(byte);
    hash *= 0x100000001B3ull;
  }
  return hash;
}

}  // namespace plimo::sim
