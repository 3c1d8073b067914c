#include "document/random.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace vorbel::document {
namespace {

TEST(RandomUpTo, StaysInRangeAndReachesBothEnds) {
  SeedRandom(1234);
  std::vector<int> counts(5, 0);
  for (int i = 0; i < 5000; ++i) {
    const int value = RandomUpTo(4);
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 4);
    ++counts[static_cast<std::size_t>(value)];
  }
  // 1000 expected per value; a fair draw stays well within these bounds.
  for (int count : counts) {
    EXPECT_GT(count, 850);
    EXPECT_LT(count, 1150);
  }
  EXPECT_EQ(RandomUpTo(0), 0);
  EXPECT_EQ(RandomUpTo(-1), 0);
  for (int i = 0; i < 100; ++i) EXPECT_GE(RandomUpTo(INT_MAX), 0);
}

TEST(RandomUpTo, FixedSeedGivesTheSameDrawsOnEveryPlatform) {
  // These values follow from the standard Mersenne Twister sequence for seed 42
  // and the multiply-shift bounded draw; they must not change between
  // compilers or standard libraries.
  SeedRandom(42);
  std::vector<int> first;
  for (int i = 0; i < 8; ++i) first.push_back(RandomUpTo(130));
  EXPECT_EQ(first, (std::vector<int>{49, 104, 124, 24, 95, 102, 78, 78}));
  SeedRandom(42);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(RandomUpTo(130), first[static_cast<std::size_t>(i)]);
}

}  // namespace
}  // namespace vorbel::document
