// The two colour values: stored colours and device pixels, which never mix.

#include <gtest/gtest.h>

#include <cstdint>
#include <type_traits>

#include "base/color.h"

namespace vorbel::base {
namespace {

using namespace literals;

// Neither value turns into the other, or comes from a plain number, unasked.
static_assert(!std::is_convertible_v<Color, Pixel> && !std::is_convertible_v<Pixel, Color>);
static_assert(!std::is_constructible_v<Pixel, Color> && !std::is_constructible_v<Color, Pixel>);
static_assert(!std::is_convertible_v<std::uint32_t, Pixel> && !std::is_convertible_v<std::int32_t, Color>);
static_assert(!std::is_convertible_v<Pixel, std::uint32_t> && !std::is_convertible_v<Color, std::int32_t>);

TEST(Color, HoldsRedInTheLowByteAndSystemColoursInTheTopBit) {
  const Color olive = Color::FromRgb(0x80, 0x80, 0x00);
  EXPECT_EQ(olive.Value(), 0x00008080);
  EXPECT_FALSE(olive.IsSystem());
  const Color face = Color::System(15);
  EXPECT_EQ(face.Value(), static_cast<std::int32_t>(0x8000000Fu));
  EXPECT_TRUE(face.IsSystem());
  EXPECT_EQ(face.SystemIndex(), 15);
  // Colour lists sort stored values as signed numbers: system colours first.
  EXPECT_LT(face, olive);
  EXPECT_LT(Color{-1}, Color{});
}

TEST(Pixel, HoldsRedInTheHighByteAndNoTopByte) {
  const Pixel pixel = Pixel::FromRgb(0x12, 0x34, 0x56);
  EXPECT_EQ(pixel.Rgb(), 0x123456u);
  EXPECT_EQ(0xAB123456_px, pixel);
  EXPECT_EQ(Color::FromPixel(pixel), Color::FromRgb(0x12, 0x34, 0x56));
  EXPECT_EQ((pixel ^ 0xFFFFFF_px), 0xEDCBA9_px);
  EXPECT_EQ((pixel & 0x00FF00_px), 0x003400_px);
}

}  // namespace
}  // namespace vorbel::base
