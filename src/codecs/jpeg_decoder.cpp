// JPEG pictures through libjpeg. libjpeg reports fatal errors by calling
// error_exit, whose default ends the process; ours jumps back here instead and
// the failure becomes a PictureError. Warnings are not printed, but a file
// that ends before its pixel data does is refused rather than shown half grey.

#include <csetjmp>
#include <cstdio>
#include <cstring>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>
#include <jerror.h>

#include "codecs/picture.h"

namespace vorbel::codecs {

namespace {

// A progressive file may spread its data over many scans; each one is a pass
// over the whole picture. Real files use about ten; thousands only slow us down.
constexpr int kMaxScans = 1000;
// libjpeg's own working memory (coefficient buffers of progressive files).
constexpr long kMaxDecoderMemory = 1L << 30;

struct ErrorManager {
  jpeg_error_mgr pub;  // first, so libjpeg's pointer to it is a pointer to us
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  bool saw_end_of_file;
};

[[noreturn]] void Fail(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

void ErrorExit(j_common_ptr cinfo) { Fail(cinfo); }

// Level -1 is a warning, 0 and up are trace messages: none is printed.
// At the end of the file libjpeg warns and pretends an end marker; if the
// entropy decoder then still needs bits it warns again and paints the rest of
// the picture grey. That pair means the file is cut short, and is refused at
// once. The end-of-file warning alone only means the end marker is missing
// after complete data (common in the wild), which is accepted. A marker met
// mid-segment inside a complete file is a local defect and is tolerated too.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  ++err->pub.num_warnings;
  if (err->pub.msg_code == JWRN_JPEG_EOF) {
    err->saw_end_of_file = true;
  } else if (err->pub.msg_code == JWRN_HIT_MARKER && err->saw_end_of_file) {
    std::snprintf(err->message, sizeof err->message, "JPEG data is cut short");
    std::longjmp(err->jump, 1);
  }
}

void OutputMessage(j_common_ptr) {}

void ProgressMonitor(j_common_ptr cinfo) {
  auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->input_scan_number > kMaxScans) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "JPEG data has more than %d scans", kMaxScans);
    std::longjmp(err->jump, 1);
  }
}

// Adobe's CMYK JPEGs store the inks inverted (0 = full ink); others store them
// plainly. RGB = (255 - ink) * (255 - black) / 255 per channel.
void CmykRowToRgb(base::Pixel* row, JDIMENSION width, bool inverted) {
  auto* bytes = reinterpret_cast<std::uint8_t*>(row);
  for (JDIMENSION x = 0; x < width; ++x) {
    unsigned c = bytes[4 * x], m = bytes[4 * x + 1], y = bytes[4 * x + 2], k = bytes[4 * x + 3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    std::uint32_t r = (c * k + 127) / 255, g = (m * k + 127) / 255, b = (y * k + 127) / 255;
    row[x] = base::Pixel((r << 16) | (g << 8) | b);
  }
}

// Decodes into `pic`; on failure returns false with `message` filled in. No
// object with a destructor may live in this frame across the setjmp: the
// longjmp from libjpeg's error path would skip it.
bool RunDecoder(std::span<const std::uint8_t> bytes, Picture& pic, char (&message)[JMSG_LENGTH_MAX]) {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  jpeg_progress_mgr progress;
  std::memset(&cinfo, 0, sizeof cinfo);
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = ErrorExit;
  err.pub.emit_message = EmitMessage;
  err.pub.output_message = OutputMessage;
  err.message[0] = '\0';
  err.saw_end_of_file = false;
  progress.progress_monitor = ProgressMonitor;

  if (setjmp(err.jump)) {
    std::memcpy(message, err.message, sizeof message);
    jpeg_destroy_decompress(&cinfo);
    return false;
  }

  jpeg_create_decompress(&cinfo);
  cinfo.progress = &progress;
  cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);

  const std::uint64_t pixels = static_cast<std::uint64_t>(cinfo.image_width) * cinfo.image_height;
  if (pixels == 0 || pixels > static_cast<std::uint64_t>(kMaxPicturePixels)) {
    std::snprintf(message, sizeof message, "JPEG picture of %u x %u pixels is %s", cinfo.image_width,
                  cinfo.image_height, pixels == 0 ? "empty" : "too large");
    jpeg_destroy_decompress(&cinfo);
    return false;
  }

  bool cmyk = false;
  switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_RGB:
    case JCS_YCbCr:
      // Bytes B, G, R, X: a little-endian 0xXXRRGGBB, written straight into the picture.
      cinfo.out_color_space = JCS_EXT_BGRX;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      cinfo.out_color_space = JCS_CMYK;
      cmyk = true;
      break;
    default:
      std::snprintf(message, sizeof message, "Unsupported JPEG colour space with %d components",
                    cinfo.num_components);
      jpeg_destroy_decompress(&cinfo);
      return false;
  }

  try {
    pic.pixels.resize(static_cast<std::size_t>(pixels));
  } catch (...) {
    jpeg_destroy_decompress(&cinfo);
    throw;
  }
  pic.width = static_cast<int>(cinfo.image_width);
  pic.height = static_cast<int>(cinfo.image_height);

  jpeg_start_decompress(&cinfo);
  const JDIMENSION width = cinfo.output_width;
  const bool inverted = cinfo.saw_Adobe_marker;
  JSAMPROW rows[16];
  while (cinfo.output_scanline < cinfo.output_height) {
    const JDIMENSION first = cinfo.output_scanline;
    JDIMENSION want = cinfo.output_height - first;
    if (want > 16) want = 16;
    for (JDIMENSION i = 0; i < want; ++i)
      rows[i] = reinterpret_cast<JSAMPROW>(pic.pixels.data() + static_cast<std::size_t>(first + i) * width);
    const JDIMENSION got = jpeg_read_scanlines(&cinfo, rows, want);
    if (got == 0) {
      std::snprintf(message, sizeof message, "JPEG decoding stopped at row %u", first);
      jpeg_destroy_decompress(&cinfo);
      return false;
    }
    for (JDIMENSION i = 0; i < got; ++i) {
      auto* row = pic.pixels.data() + static_cast<std::size_t>(first + i) * width;
      if (cmyk) {
        CmykRowToRgb(row, width, inverted);
      } else {
        // The filler byte libjpeg wrote is 0xFF; the pixel is made anew without it.
        for (JDIMENSION x = 0; x < width; ++x) row[x] = base::Pixel(row[x].Rgb());
      }
    }
  }
  // Every pixel is in. What follows the last scan (normally only the end
  // marker) is not read.
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

Picture DecodeJpeg(std::span<const std::uint8_t> bytes) {
  Picture pic;
  char message[JMSG_LENGTH_MAX] = {};
  if (bytes.empty()) throw PictureError("JPEG file is empty");
  if (!RunDecoder(bytes, pic, message)) throw PictureError(std::string("JPEG: ") + message);
  return pic;
}

}  // namespace vorbel::codecs
