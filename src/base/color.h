#pragma once
// The two kinds of colour value, which never mix: a stored colour, as
// documents, property strings and layout files hold it, and a device pixel,
// as surfaces and picture files hold it. Only the system-colour table
// (gdi/system_colors.h) turns a stored colour into a pixel; a pixel becomes a
// stored colour only through Color::FromPixel.

#include <cstdint>
#include <iosfwd>
#include <type_traits>

namespace vorbel::base {

// A device pixel: red, green and blue in a 32-bit word laid out 0x00RRGGBB,
// the byte order of a 32-bit bottom-up BMP row and of a Qt RGB32 image, so
// rows can be handed over without conversion. The top byte is always 0.
class Pixel {
 public:
  // Black.
  constexpr Pixel() = default;
  // The pixel of a 0x00RRGGBB word; its top byte is left out.
  constexpr explicit Pixel(std::uint32_t rgb) : rgb_(rgb & 0xFFFFFFu) {}
  static constexpr Pixel FromRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return Pixel((std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue);
  }

  // The 0x00RRGGBB word.
  constexpr std::uint32_t Rgb() const { return rgb_; }
  constexpr std::uint8_t Red() const { return static_cast<std::uint8_t>(rgb_ >> 16); }
  constexpr std::uint8_t Green() const { return static_cast<std::uint8_t>(rgb_ >> 8); }
  constexpr std::uint8_t Blue() const { return static_cast<std::uint8_t>(rgb_); }

  // The bitwise combinations of the raster operations.
  friend constexpr Pixel operator^(Pixel a, Pixel b) { return Pixel(a.rgb_ ^ b.rgb_); }
  friend constexpr Pixel operator&(Pixel a, Pixel b) { return Pixel(a.rgb_ & b.rgb_); }

  friend constexpr bool operator==(Pixel, Pixel) = default;
  // Ordered by the 0x00RRGGBB word.
  friend constexpr bool operator<(Pixel a, Pixel b) { return a.rgb_ < b.rgb_; }

 private:
  std::uint32_t rgb_ = 0;
};

// Rows of pixels are handed to C interfaces and Qt images as 32-bit words.
static_assert(sizeof(Pixel) == 4 && std::is_trivially_copyable_v<Pixel> && std::is_standard_layout_v<Pixel>);

// A colour as documents, property strings and layout files hold it: 32 bits
// laid out 0x00BBGGRR (red in the low byte), or, with the top bit set, a
// system colour ("clBtnFace" and the rest) named by its low byte, which is
// looked up only when drawn. Stored signed, as the layout file writes it and
// the colour lists compare it. Every 32-bit value is a colour: -1 is what a
// colour list gives with nothing selected, 0x1FFFFFFF is "clNone".
class Color {
 public:
  // Black.
  constexpr Color() = default;
  // The colour of a stored value.
  constexpr explicit Color(std::int32_t value) : value_(value) {}
  static constexpr Color FromRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return Color(static_cast<std::int32_t>(std::uint32_t{red} | (std::uint32_t{green} << 8) |
                                           (std::uint32_t{blue} << 16)));
  }
  // The colour that draws exactly as `pixel`.
  static constexpr Color FromPixel(Pixel pixel) { return FromRgb(pixel.Red(), pixel.Green(), pixel.Blue()); }
  // System colour `index` (0 to 255).
  static constexpr Color System(int index) {
    return Color(static_cast<std::int32_t>(0x80000000u | (static_cast<std::uint32_t>(index) & 0xFFu)));
  }

  // The stored value.
  constexpr std::int32_t Value() const { return value_; }
  // True for a system colour: the top bit is set and the low byte is its index.
  constexpr bool IsSystem() const { return (Bits() & 0x80000000u) != 0; }
  constexpr int SystemIndex() const { return static_cast<int>(Bits() & 0xFFu); }
  // The components of the low 24 bits.
  constexpr std::uint8_t Red() const { return static_cast<std::uint8_t>(Bits()); }
  constexpr std::uint8_t Green() const { return static_cast<std::uint8_t>(Bits() >> 8); }
  constexpr std::uint8_t Blue() const { return static_cast<std::uint8_t>(Bits() >> 16); }

  friend constexpr bool operator==(Color, Color) = default;
  // Ordered as signed stored values.
  friend constexpr bool operator<(Color a, Color b) { return a.value_ < b.value_; }

 private:
  constexpr std::uint32_t Bits() const { return static_cast<std::uint32_t>(value_); }

  std::int32_t value_ = 0;
};

// Literals for tables and tests: 0xC0C0C0_px is a pixel, 0x00BBGGRR_color a
// stored colour (written as the layout file writes its bits).
namespace literals {
constexpr Pixel operator""_px(unsigned long long rgb) { return Pixel(static_cast<std::uint32_t>(rgb)); }
constexpr Color operator""_color(unsigned long long value) {
  return Color(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}
}  // namespace literals

// For test failures and diagnostics: "Pixel(0xRRGGBB)", "Color(0xVVVVVVVV)".
std::ostream& operator<<(std::ostream& out, Pixel pixel);
std::ostream& operator<<(std::ostream& out, Color color);

}  // namespace vorbel::base
