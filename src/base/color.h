#pragma once
// The colour value shared by the whole program.

#include <cstdint>

namespace vorbel::base {

// A colour as documents, property strings and layout files carry it: 32 bits laid
// out 0x00BBGGRR (red in the low byte). A value with the top bit set names a
// system colour ("clBtnFace" and the rest) by its low byte; it is resolved to a
// real colour only when drawn. -1 (0xFFFFFFFF) is "no colour" where a colour
// list has nothing selected. Stored signed because that is how the colour list
// compares and how the layout file writes it.
using TColor = std::int32_t;

constexpr TColor MakeColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<TColor>(static_cast<std::uint32_t>(red) |
                             (static_cast<std::uint32_t>(green) << 8) |
                             (static_cast<std::uint32_t>(blue) << 16));
}

constexpr std::uint8_t RedOf(TColor c) { return static_cast<std::uint8_t>(static_cast<std::uint32_t>(c) & 0xFF); }
constexpr std::uint8_t GreenOf(TColor c) { return static_cast<std::uint8_t>((static_cast<std::uint32_t>(c) >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(TColor c) { return static_cast<std::uint8_t>((static_cast<std::uint32_t>(c) >> 16) & 0xFF); }

// True for a system colour: the top bit is set and the low byte is its index.
constexpr bool IsSystemColor(TColor c) { return (static_cast<std::uint32_t>(c) & 0x80000000u) != 0; }
constexpr int SystemColorIndex(TColor c) { return static_cast<int>(static_cast<std::uint32_t>(c) & 0xFF); }

}  // namespace vorbel::base
