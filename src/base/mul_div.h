#pragma once
// The scaling of the classic graphics interface: a * b / c, rounded.

#include <cstdint>

namespace vorbel::base {

// a * b / c rounded to the nearest integer, halves away from zero. The product
// must fit 64 bits and c must not be 0.
std::int64_t MulDiv64(std::int64_t a, std::int64_t b, std::int64_t c);

// The classic MulDiv: MulDiv64 for int arguments, computed without overflow;
// -1 when c is 0 or the result does not fit an int.
int MulDiv(int a, int b, int c);

}  // namespace vorbel::base
