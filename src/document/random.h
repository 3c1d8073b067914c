#pragma once
// The program's one shared pseudo-random generator.
//
// Draws are reproducible for a given seed on every compiler and standard
// library: the generator is a 32-bit Mersenne Twister, whose output sequence the
// C++ standard fixes, and the bounded draw is our own rather than a library
// distribution. Used only on the user-interface thread.

#include <cstdint>

namespace vorbel::document {

// A uniform integer from 0 to n inclusive (n + 1 possible values). For n <= 0
// the result is 0 and no number is drawn.
std::int32_t RandomUpTo(std::int32_t n);

// Restarts the generator from a fixed seed (tests, reproducible output).
void SeedRandom(std::uint32_t seed);

// Restarts the generator from the clock. The generator is seeded this way
// before its first use unless SeedRandom came first.
void SeedRandomFromClock();

}  // namespace vorbel::document
