// Our own BMP decoder. It reads the header versions that real files carry
// (OS/2 1.x core, OS/2 2.x, Windows INFO, V2, V3, V4 and V5), every standard
// depth, palettes, RLE4/RLE8 and colour masks, checks every field before it
// trusts it and never reads outside the file.

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>

#include "codecs/byte_reader.h"
#include "codecs/picture.h"
#include "codecs/picture_readers.h"

namespace vorbel::codecs {

namespace {

constexpr std::size_t kFileHeaderSize = 14;

// Header sizes that name a version; OS/2 2.x headers may also be cut to any
// multiple of 4 from 16 to 64 bytes (fields left out are 0).
constexpr std::uint32_t kCoreHeader = 12;
constexpr std::uint32_t kInfoHeader = 40;
constexpr std::uint32_t kV2Header = 52;
constexpr std::uint32_t kV3Header = 56;
constexpr std::uint32_t kOs2MaxHeader = 64;
constexpr std::uint32_t kV4Header = 108;
constexpr std::uint32_t kV5Header = 124;

// The compression field's values.
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitfields = 3;  // on OS/2 2.x: Huffman 1D
constexpr std::uint32_t kJpeg = 4;       // on OS/2 2.x: RLE24
constexpr std::uint32_t kPng = 5;
constexpr std::uint32_t kAlphaBitfields = 6;

std::string Num(std::int64_t v) { return std::to_string(v); }

// One colour channel of a masked (16- or 32-bit) pixel, scaled to 8 bits by
// round(value * 255 / max), so a full channel of any width gives 255.
class Channel {
 public:
  explicit Channel(std::uint32_t mask) : mask_(mask) {
    if (mask == 0) return;
    shift_ = std::countr_zero(mask);
    bits_ = std::popcount(mask);
    if (bits_ < 8) {
      std::uint32_t max = (1u << bits_) - 1;
      for (std::uint32_t v = 0; v <= max; ++v) lut_[v] = static_cast<std::uint8_t>((v * 510 + max) / (2 * max));
    }
  }

  // A mask must be one run of set bits; a zero mask is a channel that is always 0.
  static bool Contiguous(std::uint32_t mask) {
    if (mask == 0) return true;
    std::uint32_t low = mask >> std::countr_zero(mask);
    return (low & (low + 1)) == 0;
  }

  std::uint32_t Extract(std::uint32_t pixel) const {
    std::uint32_t v = (pixel & mask_) >> shift_;
    if (bits_ == 8) return v;
    if (bits_ < 8) return lut_[v];
    std::uint64_t max = (bits_ >= 32) ? 0xFFFFFFFFull : ((1ull << bits_) - 1);
    return static_cast<std::uint32_t>((v * 510ull + max) / (2 * max));
  }

 private:
  std::uint32_t mask_;
  int shift_ = 0;
  int bits_ = 0;
  std::array<std::uint8_t, 256> lut_{};
};

struct Header {
  std::uint32_t header_size = 0;
  bool core = false;  // OS/2 1.x: 16-bit sizes, 3-byte palette entries
  bool os2 = false;   // OS/2 2.x: compression 3 and 4 mean other things
  std::int64_t width = 0;
  std::int64_t height = 0;  // always positive; top_down carries the sign
  bool top_down = false;
  int bpp = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t colours_used = 0;
  std::array<std::uint32_t, 3> masks{};  // red, green, blue
  std::size_t palette_offset = 0;
  std::size_t pixel_offset = 0;
};

bool IsOs2HeaderSize(std::uint32_t size) {
  return size >= 16 && size <= kOs2MaxHeader && size % 4 == 0 && size != kInfoHeader &&
         size != kV2Header && size != kV3Header;
}

// Reads the headers from `bytes`, the start of a file of fileSize bytes (the
// whole file or at least its first kBmpHeadBytes bytes), and checks every
// field, the picture's size against the limits included, before anything is
// allocated for the pixels.
Header ReadHeader(std::span<const std::uint8_t> bytes, std::uint64_t fileSize) {
  if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
    throw PictureError("Not a BMP picture: the file does not start with \"BM\"");
  if (bytes.size() < kFileHeaderSize + 4) throw PictureError("BMP file header is cut short");

  Header h;
  h.pixel_offset = LoadLe32(bytes.data() + 10);
  h.header_size = LoadLe32(bytes.data() + 14);
  const std::uint32_t hs = h.header_size;
  if (hs == kCoreHeader) {
    h.core = true;
  } else if (IsOs2HeaderSize(hs)) {
    h.os2 = true;
  } else if (hs != kInfoHeader && hs != kV2Header && hs != kV3Header && hs != kV4Header &&
             hs != kV5Header) {
    throw PictureError("Unsupported BMP header size of " + Num(hs) + " bytes");
  }
  if (bytes.size() - kFileHeaderSize < hs) throw PictureError("BMP header is cut short");
  const std::uint8_t* p = bytes.data() + kFileHeaderSize;

  if (h.core) {
    h.width = LoadLe16(p + 4);
    h.height = LoadLe16(p + 6);
    h.bpp = LoadLe16(p + 10);
  } else {
    h.width = static_cast<std::int32_t>(LoadLe32(p + 4));
    std::int64_t height = static_cast<std::int32_t>(LoadLe32(p + 8));
    h.top_down = height < 0;
    h.height = height < 0 ? -height : height;
    h.bpp = LoadLe16(p + 14);
    if (hs >= 20) h.compression = LoadLe32(p + 16);
    if (hs >= 36) h.colours_used = LoadLe32(p + 32);
  }
  // The planes field (always 1 in practice) is not checked: it changes nothing.

  if (h.width <= 0) throw PictureError("BMP width " + Num(h.width) + " is not positive");
  if (h.height == 0) throw PictureError("BMP height is 0");
  if (PictureSizeTooLarge(h.width, h.height))
    throw PictureError("BMP picture of " + Num(h.width) + " x " + Num(h.height) + " pixels is too large");

  switch (h.bpp) {
    case 1: case 2: case 4: case 8: case 16: case 24: case 32: break;
    default: throw PictureError("Unsupported BMP depth of " + Num(h.bpp) + " bits per pixel");
  }

  if (h.os2 && (h.compression == kBitfields || h.compression == kJpeg))
    throw PictureError("OS/2 Huffman and RLE24 compressed BMP pictures are not supported");
  switch (h.compression) {
    case kRgb: break;
    case kRle8:
      if (h.bpp != 8) throw PictureError("RLE8 compression needs 8 bits per pixel, not " + Num(h.bpp));
      break;
    case kRle4:
      if (h.bpp != 4) throw PictureError("RLE4 compression needs 4 bits per pixel, not " + Num(h.bpp));
      break;
    case kBitfields:
    case kAlphaBitfields:
      if (h.bpp != 16 && h.bpp != 32)
        throw PictureError("BMP colour masks need 16 or 32 bits per pixel, not " + Num(h.bpp));
      break;
    case kJpeg:
    case kPng: throw PictureError("BMP pictures with embedded JPEG or PNG data are not supported");
    default: throw PictureError("Unsupported BMP compression " + Num(h.compression));
  }
  const bool rle = h.compression == kRle8 || h.compression == kRle4;
  if (rle && h.top_down) throw PictureError("An RLE-compressed BMP picture cannot be top-down");

  // Colour masks: inside V2 and later headers, after a 40-byte header, or the
  // defaults (5-5-5 and 8-8-8) when the picture does not use them.
  h.palette_offset = kFileHeaderSize + hs;
  const bool masked = h.compression == kBitfields || h.compression == kAlphaBitfields;
  if (masked) {
    const std::uint8_t* m;
    if (hs >= kV2Header) {
      m = p + 40;
    } else {
      std::size_t maskBytes = h.compression == kAlphaBitfields ? 16 : 12;
      if (bytes.size() - h.palette_offset < maskBytes) throw PictureError("BMP colour masks are cut short");
      m = bytes.data() + h.palette_offset;
      h.palette_offset += maskBytes;
    }
    h.masks = {LoadLe32(m), LoadLe32(m + 4), LoadLe32(m + 8)};
    const std::uint64_t limit = h.bpp == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    for (std::uint32_t mask : h.masks) {
      if (mask > limit) throw PictureError("BMP colour mask exceeds the pixel's " + Num(h.bpp) + " bits");
      if (!Channel::Contiguous(mask)) throw PictureError("BMP colour mask is not one run of bits");
    }
    if ((h.masks[0] & h.masks[1]) | (h.masks[0] & h.masks[2]) | (h.masks[1] & h.masks[2]))
      throw PictureError("BMP colour masks overlap");
    if ((h.masks[0] | h.masks[1] | h.masks[2]) == 0) throw PictureError("BMP colour masks are all zero");
  } else if (h.bpp == 16) {
    h.masks = {0x7C00, 0x03E0, 0x001F};
  } else if (h.bpp == 32) {
    h.masks = {0xFF0000, 0x00FF00, 0x0000FF};
  }

  if (h.pixel_offset < h.palette_offset)
    throw PictureError("BMP pixel data offset " + Num(h.pixel_offset) + " points into the header");
  if (h.pixel_offset > fileSize)
    throw PictureError("BMP pixel data offset " + Num(h.pixel_offset) + " lies beyond the end of the file");
  return h;
}

bool IsRle(const Header& h) { return h.compression == kRle8 || h.compression == kRle4; }

// Bytes per row of uncompressed pixels, without and with the padding to 4 bytes.
std::uint64_t RowBytes(const Header& h) {
  return (static_cast<std::uint64_t>(h.width) * static_cast<std::uint64_t>(h.bpp) + 7) / 8;
}
std::uint64_t Stride(const Header& h) {
  return (static_cast<std::uint64_t>(h.width) * static_cast<std::uint64_t>(h.bpp) + 31) / 32 * 4;
}

// The palette of a picture of 8 bits or fewer. Entries that the file leaves out
// (a short palette, ending where the pixel data starts) are black, as are all
// entries that no palette declares.
std::array<base::Pixel, 256> ReadPalette(std::span<const std::uint8_t> bytes, const Header& h) {
  std::array<base::Pixel, 256> palette{};
  if (h.bpp > 8) return palette;  // a palette beside direct colours is not used
  const std::size_t entrySize = h.core ? 3 : 4;
  const std::size_t maxEntries = std::size_t{1} << h.bpp;
  std::size_t entries = (h.colours_used != 0 && h.colours_used < maxEntries) ? h.colours_used : maxEntries;
  const std::size_t available = (h.pixel_offset - h.palette_offset) / entrySize;
  if (entries > available) entries = available;
  const std::uint8_t* p = bytes.data() + h.palette_offset;
  for (std::size_t i = 0; i < entries; ++i, p += entrySize)
    palette[i] = base::Pixel::FromRgb(p[2], p[1], p[0]);
  return palette;
}

void DecodeIndexedRow(const std::uint8_t* src, base::Pixel* out, int width, int bpp,
                      const std::array<base::Pixel, 256>& palette) {
  switch (bpp) {
    case 8:
      for (int x = 0; x < width; ++x) out[x] = palette[src[x]];
      break;
    case 4:
      for (int x = 0; x < width; ++x) out[x] = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
      break;
    case 2:
      for (int x = 0; x < width; ++x) out[x] = palette[(src[x >> 2] >> (6 - 2 * (x & 3))) & 0x03];
      break;
    default:
      for (int x = 0; x < width; ++x) out[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 0x01];
      break;
  }
}

Picture DecodeUncompressed(std::span<const std::uint8_t> bytes, const Header& h) {
  const std::uint64_t rowBytes = RowBytes(h);
  const std::uint64_t stride = Stride(h);
  // The last row's padding may be missing: nothing is read from it.
  const std::uint64_t needed = stride * static_cast<std::uint64_t>(h.height - 1) + rowBytes;
  const std::uint64_t available = bytes.size() - h.pixel_offset;
  if (needed > available)
    throw PictureError("BMP pixel data is cut short: " + Num(static_cast<std::int64_t>(available)) + " of " +
                       Num(static_cast<std::int64_t>(needed)) + " bytes present");

  Picture pic;
  pic.width = static_cast<int>(h.width);
  pic.height = static_cast<int>(h.height);
  pic.two_colour = h.bpp == 1;
  pic.pixels.resize(static_cast<std::size_t>(h.width * h.height));
  const auto palette = ReadPalette(bytes, h);
  const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
  const bool plain32 = h.bpp == 32 && h.masks == std::array<std::uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};

  const int w = pic.width;
  for (int r = 0; r < pic.height; ++r) {
    const std::uint8_t* src =
        bytes.data() + h.pixel_offset + static_cast<std::size_t>(stride) * static_cast<std::size_t>(r);
    const int y = h.top_down ? r : pic.height - 1 - r;
    base::Pixel* out = pic.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
    switch (h.bpp) {
      case 24:
        for (int x = 0; x < w; ++x, src += 3) out[x] = base::Pixel::FromRgb(src[2], src[1], src[0]);
        break;
      case 32:
        if (plain32) {
          for (int x = 0; x < w; ++x, src += 4) out[x] = base::Pixel::FromRgb(src[2], src[1], src[0]);
        } else {
          for (int x = 0; x < w; ++x, src += 4) {
            std::uint32_t v = LoadLe32(src);
            out[x] = base::Pixel((red.Extract(v) << 16) | (green.Extract(v) << 8) | blue.Extract(v));
          }
        }
        break;
      case 16:
        for (int x = 0; x < w; ++x, src += 2) {
          std::uint32_t v = LoadLe16(src);
          out[x] = base::Pixel((red.Extract(v) << 16) | (green.Extract(v) << 8) | blue.Extract(v));
        }
        break;
      default:
        DecodeIndexedRow(src, out, w, h.bpp, palette);
        break;
    }
  }
  return pic;
}

// RLE8 and RLE4: runs, literal stretches, end-of-line, end-of-picture and
// delta (skip) codes. Pixels that the codes never reach keep palette entry 0,
// the colour that a zero index gives; runs beyond the right edge are clipped.
// Data that ends before the picture is complete and without an end-of-picture
// code is refused as cut short.
Picture DecodeRle(std::span<const std::uint8_t> bytes, const Header& h) {
  Picture pic;
  pic.width = static_cast<int>(h.width);
  pic.height = static_cast<int>(h.height);
  const auto palette = ReadPalette(bytes, h);
  pic.pixels.assign(static_cast<std::size_t>(h.width * h.height), palette[0]);

  const bool rle4 = h.compression == kRle4;
  const std::int64_t w = h.width;
  const std::int64_t height = h.height;
  ByteReader in(bytes.subspan(h.pixel_offset));
  std::int64_t x = 0, y = 0;  // y counts rows from the bottom
  auto put = [&](std::int64_t count, auto indexAt) {
    if (y < height) {
      base::Pixel* row = pic.pixels.data() + static_cast<std::size_t>((height - 1 - y) * w);
      std::int64_t end = x + count < w ? x + count : w;
      for (std::int64_t i = 0; x + i < end; ++i) row[x + i] = palette[indexAt(i)];
    }
    x = x + count < w ? x + count : w;
  };

  while (y < height) {
    if (in.AtEnd()) {
      if (y == height - 1 && x >= w) break;  // complete without a closing code
      throw PictureError("BMP RLE data is cut short");
    }
    const std::uint8_t count = in.U8("BMP RLE data");
    const std::uint8_t code = in.U8("BMP RLE data");
    if (count > 0) {
      if (rle4)
        put(count, [code](std::int64_t i) { return (i & 1) ? (code & 0x0F) : (code >> 4); });
      else
        put(count, [code](std::int64_t) { return code; });
      continue;
    }
    if (code == 0) {  // end of line
      x = 0;
      ++y;
    } else if (code == 1) {  // end of picture
      break;
    } else if (code == 2) {  // delta: move right and up
      const std::uint8_t dx = in.U8("BMP RLE delta");
      const std::uint8_t dy = in.U8("BMP RLE delta");
      x = x + dx < w ? x + dx : w;
      y += dy;
    } else {  // a literal stretch of `code` indexes, padded to an even byte count
      const std::size_t n = code;
      const std::size_t dataBytes = rle4 ? (n + 1) / 2 : n;
      const std::uint8_t* src = in.Take(dataBytes, "BMP RLE literal run");
      if ((dataBytes & 1) && !in.AtEnd()) in.Skip(1, "BMP RLE padding");
      if (rle4)
        put(code, [src](std::int64_t i) { return (i & 1) ? (src[i >> 1] & 0x0F) : (src[i >> 1] >> 4); });
      else
        put(code, [src](std::int64_t i) { return src[i]; });
    }
  }
  return pic;
}

}  // namespace

Picture DecodeBmp(std::span<const std::uint8_t> bytes) {
  const Header h = ReadHeader(bytes, bytes.size());
  if (IsRle(h)) return DecodeRle(bytes, h);
  return DecodeUncompressed(bytes, h);
}

namespace detail {

BmpLayout ReadBmpLayout(std::span<const std::uint8_t> head, std::uint64_t fileSize) {
  const Header h = ReadHeader(head, fileSize);
  BmpLayout layout;
  layout.size = {static_cast<int>(h.width), static_cast<int>(h.height)};
  const std::uint64_t height = static_cast<std::uint64_t>(h.height);
  // Uncompressed pixels end where the last row does. RLE codes take at most
  // four bytes for each pixel they paint or skip one by one, two to end a row
  // and two to end the picture: anything after that is no part of the picture.
  const std::uint64_t data =
      IsRle(h) ? 4 * (static_cast<std::uint64_t>(h.width) + 1) * height + 2 : Stride(h) * (height - 1) + RowBytes(h);
  layout.bytes_to_read = std::min(fileSize, h.pixel_offset + data);
  return layout;
}

}  // namespace detail

}  // namespace vorbel::codecs
