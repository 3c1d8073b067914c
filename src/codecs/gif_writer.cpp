// GIF files through giflib, written with its step-by-step encoder so that
// the version, the screen descriptor and the single extension are exactly ours.
// The image data is compressed by our own LZW encoder (giflib's costs about
// 4 ns a pixel, too slow for the largest buttons) and handed to giflib as
// ready-made code blocks.

#include <gif_lib.h>

#include <array>
#include <memory>
#include <new>

#include "codecs/gif_lzw.h"
#include "codecs/image_writers.h"
#include "codecs/web_palette.h"

namespace vorbel::codecs {

namespace {

constexpr int kMaxGifSide = 65535;
// Offset of the logical screen descriptor's packed byte: after "GIF89a" and
// the 16-bit width and height.
constexpr std::size_t kScreenPackedByte = 10;

struct Sink {
  std::vector<std::uint8_t>* out;
  bool out_of_memory = false;
};

// giflib's output function: a short count tells giflib that the write failed.
int Output(GifFileType* gif, const GifByteType* data, int size) {
  auto* sink = static_cast<Sink*>(gif->UserData);
  try {
    sink->out->insert(sink->out->end(), data, data + size);
    return size;
  } catch (const std::bad_alloc&) {
    sink->out_of_memory = true;
    return 0;
  }
}

struct MapDeleter {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// Closes the encoder, which writes the trailer; used on every path.
class Encoder {
 public:
  explicit Encoder(Sink* sink) {
    int error = 0;
    gif_ = EGifOpen(sink, Output, &error);
    if (gif_ == nullptr)
      throw base::FileWriteError(std::string("Unable to encode the GIF image: ") + GifErrorString(error));
  }
  ~Encoder() {
    if (gif_ != nullptr) EGifCloseFile(gif_, nullptr);
  }
  Encoder(const Encoder&) = delete;
  Encoder& operator=(const Encoder&) = delete;

  GifFileType* get() const { return gif_; }

  void Check(int result, const Sink& sink) const {
    if (result == GIF_OK) return;
    if (sink.out_of_memory) throw std::bad_alloc();
    throw base::FileWriteError(std::string("Unable to encode the GIF image: ") + GifErrorString(gif_->Error));
  }

  void Close(const Sink& sink) {
    int error = 0;
    GifFileType* gif = gif_;
    gif_ = nullptr;
    if (EGifCloseFile(gif, &error) != GIF_OK) {
      if (sink.out_of_memory) throw std::bad_alloc();
      throw base::FileWriteError(std::string("Unable to encode the GIF image: ") + GifErrorString(error));
    }
  }

 private:
  GifFileType* gif_ = nullptr;
};

}  // namespace

std::vector<std::uint8_t> EncodeGif(const PixelView& img, base::Pixel workArea) {
  CheckExportable(img);
  if (img.width > kMaxGifSide || img.height > kMaxGifSide)
    throw base::FileWriteError("The image is too large for a GIF file: at most 65535 x 65535 pixels");

  std::array<std::uint8_t, 256> toTable{};
  IndexedImage indexed = ReduceToWebPaletteCodes(img, workArea, toTable);
  const int bits = indexed.BitsPerPixel();
  const bool transparent = indexed.transparent_index >= 0;

  // The local table, padded with black to 2^bits entries.
  std::unique_ptr<ColorMapObject, MapDeleter> map(GifMakeMapObject(1 << bits, nullptr));
  if (!map) throw std::bad_alloc();
  for (int i = 0; i < map->ColorCount; ++i) {
    const base::Pixel c = i < static_cast<int>(indexed.colours.size()) ? indexed.colours[i] : base::Pixel{};
    map->Colors[i] = {c.Red(), c.Green(), c.Blue()};
  }

  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(img.width) * static_cast<std::size_t>(img.height) / 4 + 1024);
  Sink sink{&out};
  Encoder enc(&sink);
  GifFileType* gif = enc.get();
  // The version is written with the screen descriptor: "89a" only when the
  // graphic control extension follows, "87a" otherwise.
  EGifSetGifVersion(gif, transparent);
  enc.Check(EGifPutScreenDesc(gif, img.width, img.height, bits, 0, nullptr), sink);
  if (transparent) {
    // Packed flags: no disposal method, no user input, transparent colour given.
    const GifByteType control[4] = {0x01, 0, 0, static_cast<GifByteType>(indexed.transparent_index)};
    enc.Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, sizeof control, control), sink);
  }
  enc.Check(EGifPutImageDesc(gif, 0, 0, img.width, img.height, false, map.get()), sink);
  // giflib has written the code-size byte, max(bits, 2) as the GIF standard
  // requires; the blocks follow, then the zero-length terminator.
  const int codeSize = bits < 2 ? 2 : bits;
  const std::vector<std::uint8_t> data =
      CompressGifLzw(indexed.indices.data(), indexed.indices.size(), codeSize, toTable.data());
  enc.Check(EGifPutCode(gif, codeSize, data.data()), sink);
  for (std::size_t pos = data[0] + 1u; pos < data.size(); pos += data[pos] + 1u)
    enc.Check(EGifPutCodeNext(gif, data.data() + pos), sink);
  enc.Check(EGifPutCodeNext(gif, nullptr), sink);
  enc.Close(sink);

  // Without a global table giflib fills the table-size field of the screen
  // descriptor with 7; the field holds the image's bits - 1 like the colour
  // resolution, so that readers that size their palette from it get it right.
  if (out.size() > kScreenPackedByte)
    out[kScreenPackedByte] = static_cast<std::uint8_t>(((bits - 1) << 4) | (bits - 1));
  return out;
}

}  // namespace vorbel::codecs
