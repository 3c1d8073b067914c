#pragma once
// Writers of exported button images: BMP, JPEG, GIF, PNG and WebP.
//
// Each Encode* function turns pixels into the bytes of a file; each Write*File
// function encodes and then replaces the file at `path` through AtomicFile, so
// a failure never leaves a half-written file behind and never touches an
// existing one. Every failure throws FileWriteError with a message ready to
// show: "Cannot create file <path>" when the file cannot be made, its own
// message otherwise. An image of width or height 0 or less writes nothing and
// throws (there is no meaningful empty picture file).

#include <cstdint>
#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "codecs/pixel_view.h"
#include "codecs/thumbnail_scaler.h"

namespace vorbel::codecs {

// Throws FileWriteError when the image has no pixels, and
// std::invalid_argument for a malformed view (no pixels, stride < width).
void CheckExportable(const PixelView& img);

// The view's pixels as 8-bit RGBA: its alpha when it has one; otherwise
// alpha 0 exactly where the pixel equals workArea, 255 elsewhere. Throws as
// CheckExportable does.
RgbaImage ToRgba(const PixelView& img, base::Pixel workArea);

// Uncompressed 24-bit BMP with a 40-byte header, bottom-up, rows padded to 4 bytes.
std::vector<std::uint8_t> EncodeBmp(const PixelView& img);

// Baseline JFIF: YCbCr with 2x2 chroma subsampling, at `quality` (0 to 100,
// 90 unless asked) with the quantisation tables limited to baseline values,
// not progressive, libjpeg's defaults otherwise. The top byte of each pixel
// is ignored.
inline constexpr int kJpegQuality = 90;
std::vector<std::uint8_t> EncodeJpeg(const PixelView& img, int quality = kJpegQuality);

// GIF reduced to the web palette (see ReduceToWebPalette; a view with alpha
// leaves out the pixels below kGifOpaqueFrom instead of the work-area colour,
// and its other pixels are taken as they are: see Flatten). No global colour
// table, one image at (0, 0) with a local table padded with black to 2^bits
// entries. With transparent pixels the file is GIF89a with one graphic control
// extension (transparent flag, that index, delay 0, no disposal, no user
// input); without any it is GIF87a with no extension at all. Logical screen
// fields: colour resolution and table size both bits - 1, background 0, aspect
// 0. LZW minimum code size max(bits, 2). At most 65535 x 65535 pixels.
std::vector<std::uint8_t> EncodeGif(const PixelView& img, base::Pixel workArea);

// PNG of the pixels of ToRgba, in the smallest form that gives every pixel
// back exactly: a palette of 1, 2, 4 or 8 bits (alpha in tRNS) for at most
// 256 colours; grey of as few bits as hold its levels when every pixel is
// grey and a palette is not smaller; RGB when every pixel is opaque; grey or
// RGB with one transparent colour (tRNS) when the transparent pixels share a
// colour no opaque pixel has and nothing is partly transparent; grey with
// alpha or RGBA otherwise. Samples of fewer than 8 bits are not filtered;
// 8-bit ones take per row the filter of least absolute sum when a quick trial
// says that deflates smaller than none (of more than a million pixels:
// palettes never, the rest always). Deflated at libdeflate's level 9 (6 above
// a million pixels). Ancillary chunks: tRNS only.
std::vector<std::uint8_t> EncodePng(const PixelView& img, base::Pixel workArea);
// The same of an RGBA image as it is (a thumbnail). Throws
// std::invalid_argument for an empty image or one whose bytes do not match
// its size.
std::vector<std::uint8_t> EncodePng(const RgbaImage& img);

// WebP of the pixels of ToRgba. Lossless by default: every pixel comes back
// exactly, the colour of transparent ones included. A quality from 0 to 100
// makes it lossy (VP8 with its alpha kept losslessly), smaller and less
// faithful as it falls. Throws FileWriteError for a picture of more than
// 16383 pixels a side, which WebP cannot hold.
inline constexpr int kWebpLossless = -1;
std::vector<std::uint8_t> EncodeWebp(const PixelView& img, base::Pixel workArea, int quality = kWebpLossless);

void WriteBmpFile(const std::string& path, const PixelView& img);
void WriteJpegFile(const std::string& path, const PixelView& img);
void WriteGifFile(const std::string& path, const PixelView& img, base::Pixel workArea);
void WritePngFile(const std::string& path, const PixelView& img, base::Pixel workArea);

}  // namespace vorbel::codecs
