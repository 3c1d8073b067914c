// PNG files through libpng. libpng reports errors by longjmp to the frame
// that set png_jmpbuf; that frame holds nothing with a destructor.

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <functional>
#include <new>
#include <stdexcept>

#include "codecs/image_writers.h"

namespace vorbel::codecs {

namespace {

struct PngState {
  std::vector<std::uint8_t>* out;
  std::uint8_t* row_buffer;  // 4 * width bytes
  bool out_of_memory = false;
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
    state->out_of_memory = true;
  }
  if (state->out_of_memory) png_error(png, "out of memory");
}
void FlushFn(png_structp) {}

// Fills a row of 4 * width bytes (red, green, blue, alpha) for row y.
using RowFiller = std::function<void(int y, std::uint8_t* row)>;

bool RunEncoder(int width, int height, const RowFiller& fill, PngState& state) {
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
  // Buttons are bands of flat colour with rows like the row above: the "up"
  // filter alone finds that, without libpng trying all five filters on every
  // row, and fast deflate (level 3) then costs a third of the default's time
  // for files of a button's size about 40 % larger. A set of a hundred
  // buttons is written in a blink.
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
  png_set_compression_level(png, 3);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    // The filler throws nothing: it only copies bytes into the row.
    fill(y, state.row_buffer);
    png_write_row(png, state.row_buffer);
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

std::vector<std::uint8_t> Encode(int width, int height, const RowFiller& fill) {
  std::vector<std::uint8_t> out;
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 4);
  PngState state{&out, row.data()};
  if (!RunEncoder(width, height, fill, state)) {
    if (state.out_of_memory) throw std::bad_alloc();
    throw base::FileWriteError(std::string("Unable to encode the PNG image: ") + state.message);
  }
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const PixelView& img, base::Pixel workArea) {
  CheckExportable(img);
  return Encode(img.width, img.height, [&](int y, std::uint8_t* dst) {
    const base::Pixel* src = img.Row(y);
    const std::uint8_t* alpha = img.AlphaRow(y);
    for (int x = 0; x < img.width; ++x, dst += 4) {
      const base::Pixel p = src[x];
      dst[0] = p.Red();
      dst[1] = p.Green();
      dst[2] = p.Blue();
      dst[3] = alpha != nullptr ? alpha[x] : (p == workArea ? 0 : 255);
    }
  });
}

std::vector<std::uint8_t> EncodePng(const RgbaImage& img) {
  if (img.width <= 0 || img.height <= 0 ||
      img.rgba.size() != static_cast<std::size_t>(img.width) * static_cast<std::size_t>(img.height) * 4) {
    throw std::invalid_argument("EncodePng: an empty image or one whose bytes do not match its size");
  }
  const std::size_t rowBytes = static_cast<std::size_t>(img.width) * 4;
  return Encode(img.width, img.height, [&](int y, std::uint8_t* dst) {
    std::memcpy(dst, img.rgba.data() + static_cast<std::size_t>(y) * rowBytes, rowBytes);
  });
}

}  // namespace vorbel::codecs
