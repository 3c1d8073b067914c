// Memory for large buffers: every size around the point where buffers get a
// mapping of their own is usable to its last byte and given back.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "base/large_buffer.h"

namespace vorbel::base {
namespace {

TEST(LargeBuffer, EverySizeIsUsableToItsEndAndGivenBack) {
  const std::size_t sizes[] = {1,
                               4096,
                               kLargeBufferBytes - 1,
                               kLargeBufferBytes,
                               kLargeBufferBytes + 1,
                               (std::size_t{2} << 20) + 3,
                               std::size_t{9} << 20};
  for (int round = 0; round < 3; ++round) {
    for (const std::size_t bytes : sizes) {
      auto* p = static_cast<unsigned char*>(AllocateBuffer(bytes));
      ASSERT_NE(p, nullptr);
      EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % alignof(std::max_align_t), 0u) << bytes;
      std::memset(p, 0xA5, bytes);
      EXPECT_EQ(p[bytes - 1], 0xA5) << bytes;
      FreeBuffer(p, bytes);
    }
  }
  // Through a vector, growing past the limit and shrinking back.
  std::vector<std::uint32_t, LargeBufferAllocator<std::uint32_t>> v(10, 7);
  v.resize(kLargeBufferBytes, 7);
  v.resize(3);
  v.shrink_to_fit();
  EXPECT_EQ(v, (std::vector<std::uint32_t, LargeBufferAllocator<std::uint32_t>>{7, 7, 7}));
}

}  // namespace
}  // namespace vorbel::base
