#include "base/mul_div.h"

#include <limits>

namespace vorbel::base {

std::int64_t MulDiv64(std::int64_t a, std::int64_t b, std::int64_t c) {
  const std::int64_t p = a * b;
  const bool negative = (p < 0) != (c < 0);
  const std::int64_t ap = p < 0 ? -p : p;
  const std::int64_t ac = c < 0 ? -c : c;
  const std::int64_t q = (ap + ac / 2) / ac;
  return negative ? -q : q;
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t q = MulDiv64(a, b, c);
  if (q < std::numeric_limits<int>::min() || q > std::numeric_limits<int>::max()) return -1;
  return static_cast<int>(q);
}

}  // namespace vorbel::base
