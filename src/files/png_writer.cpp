// PNG files through libpng. libpng reports errors by longjmp to the frame
// that set png_jmpbuf; that frame holds nothing with a destructor.

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <memory>
#include <new>

#include "files/image_writers.h"

namespace vorbel {

namespace {

struct PngState {
  std::vector<std::uint8_t>* out;
  std::uint8_t* rowBuffer;  // 4 * width bytes
  bool outOfMemory = false;
  char message[256] = {};
};

void ErrorFn(png_structp png, png_const_charp text) {
  auto* state = static_cast<PngState*>(png_get_error_ptr(png));
  std::strncpy(state->message, text, sizeof state->message - 1);
  png_longjmp(png, 1);
}
void WarningFn(png_structp, png_const_charp) {}

void WriteFn(png_structp png, png_bytep data, png_size_t size) {
  auto* state = static_cast<PngState*>(png_get_io_ptr(png));
  try {
    state->out->insert(state->out->end(), data, data + size);
  } catch (const std::bad_alloc&) {
    state->outOfMemory = true;
  }
  if (state->outOfMemory) png_error(png, "out of memory");
}
void FlushFn(png_structp) {}

// The distinct colours of an image, when there are at most 256 of them.
class Palette {
 public:
  static constexpr std::size_t kMaxColors = 256;

  // Collects the colours in order of first appearance, then moves `key` to
  // entry 0 when it occurs. False when there are more than kMaxColors.
  bool Collect(const PixelView& img, std::uint32_t key) {
    for (int y = 0; y < img.height; ++y) {
      const std::uint32_t* row = img.Row(y);
      std::uint32_t last = ~0u;
      for (int x = 0; x < img.width; ++x) {
        const std::uint32_t color = row[x] & 0xFFFFFF;
        if (color == last) continue;
        last = color;
        if (Find(color) < 0) {
          if (colors_.size() == kMaxColors) return false;
          Insert(color, static_cast<int>(colors_.size()));
          colors_.push_back(color);
        }
      }
    }
    const auto keyAt = std::find(colors_.begin(), colors_.end(), key);
    transparent_ = keyAt != colors_.end();
    if (transparent_ && keyAt != colors_.begin()) {
      std::rotate(colors_.begin(), keyAt, keyAt + 1);
      std::fill(std::begin(slots_), std::end(slots_), Slot{});
      for (std::size_t i = 0; i < colors_.size(); ++i) Insert(colors_[i], static_cast<int>(i));
    }
    return true;
  }

  const std::vector<std::uint32_t>& Colors() const { return colors_; }
  bool Transparent() const { return transparent_; }

  // The smallest PNG bit depth that holds every index.
  int BitDepth() const {
    const std::size_t n = colors_.size();
    return n <= 2 ? 1 : n <= 4 ? 2 : n <= 16 ? 4 : 8;
  }

  // One byte per pixel: the colour's entry. Every colour must be in the palette.
  void MapRow(const std::uint32_t* row, int width, std::uint8_t* out) const {
    std::uint32_t last = ~0u;
    std::uint8_t index = 0;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t color = row[x] & 0xFFFFFF;
      if (color != last) {
        last = color;
        index = static_cast<std::uint8_t>(Find(color));
      }
      out[x] = index;
    }
  }

 private:
  // Open addressing with room for twice the colours, so probes stay short.
  static constexpr std::size_t kSlots = 2 * kMaxColors;
  struct Slot {
    std::uint32_t color = 0;
    int index = -1;  // -1: empty
  };

  static std::size_t Hash(std::uint32_t color) { return (color * 2654435761u) >> 23; }  // 9 bits

  int Find(std::uint32_t color) const {
    for (std::size_t i = Hash(color);; i = (i + 1) % kSlots) {
      if (slots_[i].index < 0) return -1;
      if (slots_[i].color == color) return slots_[i].index;
    }
  }

  void Insert(std::uint32_t color, int index) {
    std::size_t i = Hash(color);
    while (slots_[i].index >= 0) i = (i + 1) % kSlots;
    slots_[i] = {color, index};
  }

  std::vector<std::uint32_t> colors_;
  bool transparent_ = false;
  Slot slots_[kSlots];
};

// Writes the header, and the palette and transparency of an indexed image.
// Only the frames of RunEncoder, which hold nothing with a destructor, may be
// left by libpng's longjmp.
void WriteHeader(png_structp png, png_infop info, const PixelView& img, const Palette* palette) {
  const auto width = static_cast<png_uint_32>(img.width);
  const auto height = static_cast<png_uint_32>(img.height);
  if (palette == nullptr) {
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    return;
  }
  png_set_IHDR(png, info, width, height, palette->BitDepth(), PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_color entries[Palette::kMaxColors];
  const auto& colors = palette->Colors();
  for (std::size_t i = 0; i < colors.size(); ++i) {
    entries[i].red = static_cast<png_byte>(colors[i] >> 16);
    entries[i].green = static_cast<png_byte>(colors[i] >> 8);
    entries[i].blue = static_cast<png_byte>(colors[i]);
  }
  png_set_PLTE(png, info, entries, static_cast<int>(colors.size()));
  // Entries past the transparency table are opaque, so one entry will do.
  png_byte alpha = 0;
  if (palette->Transparent()) png_set_tRNS(png, info, &alpha, 1, nullptr);
  png_write_info(png, info);
  png_set_packing(png);  // rows are given one byte per pixel whatever the depth
}

bool RunEncoder(const PixelView& img, std::uint32_t key, const Palette* palette, PngState& state) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, ErrorFn, WarningFn);
  if (png == nullptr) {
    std::strcpy(state.message, "cannot start the encoder");
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    std::strcpy(state.message, "cannot start the encoder");
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &state, WriteFn, FlushFn);
  WriteHeader(png, info, img, palette);
  for (int y = 0; y < img.height; ++y) {
    const std::uint32_t* src = img.Row(y);
    std::uint8_t* dst = state.rowBuffer;
    if (palette != nullptr) {
      palette->MapRow(src, img.width, dst);
    } else {
      for (int x = 0; x < img.width; ++x, dst += 4) {
        const std::uint32_t p = src[x] & 0xFFFFFF;
        dst[0] = static_cast<std::uint8_t>(p >> 16);
        dst[1] = static_cast<std::uint8_t>(p >> 8);
        dst[2] = static_cast<std::uint8_t>(p);
        dst[3] = p == key ? 0 : 255;
      }
    }
    png_write_row(png, state.rowBuffer);
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const PixelView& img, std::uint32_t workAreaRgb) {
  CheckExportable(img);
  const std::uint32_t key = workAreaRgb & 0xFFFFFF;
  const auto palette = std::make_unique<Palette>();
  const bool indexed = palette->Collect(img, key);
  std::vector<std::uint8_t> out;
  std::vector<std::uint8_t> row(static_cast<std::size_t>(img.width) * 4);
  PngState state{&out, row.data()};
  if (!RunEncoder(img, key, indexed ? palette.get() : nullptr, state)) {
    if (state.outOfMemory) throw std::bad_alloc();
    throw FileWriteError(std::string("Unable to encode the PNG image: ") + state.message);
  }
  return out;
}

}  // namespace vorbel
