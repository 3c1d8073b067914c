#include "document/random.h"

#include <chrono>
#include <random>

namespace vorbel::document {

namespace {

std::uint32_t ClockSeed() {
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  const auto bits = static_cast<std::uint64_t>(ticks);
  return static_cast<std::uint32_t>(bits ^ (bits >> 32));
}

std::mt19937& Generator() {
  static std::mt19937 generator(ClockSeed());
  return generator;
}

}  // namespace

std::int32_t RandomUpTo(std::int32_t n) {
  if (n <= 0) return 0;
  // Lemire's multiply-and-reject: the high 32 bits of draw * range are uniform
  // over 0..range-1 once draws whose low bits fall below 2^32 mod range are
  // rejected.
  const std::uint32_t range = static_cast<std::uint32_t>(n) + 1u;
  std::mt19937& generator = Generator();
  std::uint64_t product = static_cast<std::uint64_t>(generator()) * range;
  auto low = static_cast<std::uint32_t>(product);
  if (low < range) {
    const std::uint32_t threshold = (0u - range) % range;
    while (low < threshold) {
      product = static_cast<std::uint64_t>(generator()) * range;
      low = static_cast<std::uint32_t>(product);
    }
  }
  return static_cast<std::int32_t>(product >> 32);
}

void SeedRandom(std::uint32_t seed) { Generator().seed(seed); }

void SeedRandomFromClock() { Generator().seed(ClockSeed()); }

}  // namespace vorbel::document
