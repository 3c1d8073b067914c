#pragma once
// The LZW compression of GIF image data.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorbel::codecs {

// Compresses `count` colour-table indexes, each below 2^minCodeSize, as GIF
// image data with the given LZW minimum code size (2 to 8): a clear code
// first, variable-width codes packed least significant bit first, a clear code
// whenever the 4096-entry table is full, the end-of-information code last.
// The result is the data sub-blocks, each a length byte (1 to 255) and that
// many bytes; neither the code-size byte before them nor the zero-length
// terminator after them is included. With a `map` (256 entries), pixel i is
// map[indices[i]] instead; equal bytes must then map to equal indexes and
// different bytes to different ones.
std::vector<std::uint8_t> CompressGifLzw(const std::uint8_t* indices, std::size_t count, int minCodeSize,
                                         const std::uint8_t* map = nullptr);

}  // namespace vorbel::codecs
