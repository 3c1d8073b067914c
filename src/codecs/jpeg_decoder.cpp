// JPEG pictures through libjpeg. libjpeg reports fatal errors by calling
// error_exit, whose default ends the process; ours jumps back here instead and
// the failure becomes a PictureError. Warnings are not printed, but a file
// that ends before its pixel data does is refused rather than shown half grey.

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>
#include <jerror.h>

#include "codecs/picture.h"
#include "codecs/picture_readers.h"

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

// libjpeg's source for a file read piece by piece: only what decoding asks
// for is read, and a picture refused by its headers costs those alone.
struct FileSource {
  jpeg_source_mgr pub;  // first, so libjpeg's pointer to it is a pointer to us
  int fd;
  std::uint64_t offset;  // of the next byte to read
  std::uint64_t size;    // of the file
  JOCTET buffer[64 * 1024];
};

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
  auto* src = reinterpret_cast<FileSource*>(cinfo->src);
  ssize_t n = 0;
  if (src->offset < src->size) {
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(sizeof src->buffer, src->size - src->offset));
    do {
      n = ::pread(src->fd, src->buffer, want, static_cast<off_t>(src->offset));
    } while (n < 0 && errno == EINTR);
  }
  if (n <= 0) {
    // The end of the data (a read error ends it too): an end marker stands
    // in, with the warning that libjpeg's own sources give there.
    WARNMS(cinfo, JWRN_JPEG_EOF);
    src->buffer[0] = 0xFF;
    src->buffer[1] = JPEG_EOI;
    n = 2;
    src->offset = src->size;
  } else {
    src->offset += static_cast<std::uint64_t>(n);
  }
  src->pub.next_input_byte = src->buffer;
  src->pub.bytes_in_buffer = static_cast<std::size_t>(n);
  return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
  auto* src = reinterpret_cast<FileSource*>(cinfo->src);
  if (count <= 0) return;
  const auto n = static_cast<std::uint64_t>(count);
  if (n <= src->pub.bytes_in_buffer) {
    src->pub.next_input_byte += n;
    src->pub.bytes_in_buffer -= static_cast<std::size_t>(n);
    return;
  }
  // Skipped bytes beyond the buffer are never read.
  src->offset = std::min(src->size, src->offset + (n - src->pub.bytes_in_buffer));
  src->pub.bytes_in_buffer = 0;
}

}  // namespace

namespace detail {

// libjpeg's decompressor with what it needs beside it, at a fixed address.
struct JpegState {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  jpeg_progress_mgr progress;
  std::unique_ptr<FileSource> file;  // none when reading from memory
  bool created = false;
  bool header_read = false;
  bool decoded = false;
  bool cmyk = false;
  PictureSize size;
  char message[JMSG_LENGTH_MAX];
};

namespace {

// The steps below run libjpeg, whose errors jump back to their setjmp: no
// object with a destructor may live in their frames. Each returns false with
// s.message filled in on failure.

bool Create(JpegState& s) {
  std::memset(&s.cinfo, 0, sizeof s.cinfo);
  s.cinfo.err = jpeg_std_error(&s.err.pub);
  s.err.pub.error_exit = ErrorExit;
  s.err.pub.emit_message = EmitMessage;
  s.err.pub.output_message = OutputMessage;
  s.err.message[0] = '\0';
  s.err.saw_end_of_file = false;
  s.progress.progress_monitor = ProgressMonitor;
  if (setjmp(s.err.jump)) {
    std::memcpy(s.message, s.err.message, sizeof s.message);
    return false;
  }
  jpeg_create_decompress(&s.cinfo);
  s.created = true;
  s.cinfo.progress = &s.progress;
  s.cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
  return true;
}

// Every block of a component is coded in at least one bit in a progressive
// file (its first DC scan) and two in a sequential one (its DC difference and
// the end of its block), so a Huffman-coded picture whose smallest component
// needs more bits than the data after the headers holds is cut short and is
// refused before its pixels are allocated. Arithmetic coding has no such
// bound.
bool HoldsEnoughData(const jpeg_decompress_struct& cinfo, std::uint64_t unread) {
  if (cinfo.arith_code) return true;
  std::uint64_t fewest = UINT64_MAX;
  for (int c = 0; c < cinfo.num_components; ++c) {
    const jpeg_component_info& comp = cinfo.comp_info[c];
    fewest = std::min(fewest, std::uint64_t{comp.width_in_blocks} * comp.height_in_blocks);
  }
  const std::uint64_t bitsPerBlock = cinfo.progressive_mode ? 1 : 2;
  return unread >= (fewest * bitsPerBlock + 7) / 8;
}

bool RunHeader(JpegState& s) {
  jpeg_decompress_struct& cinfo = s.cinfo;
  if (setjmp(s.err.jump)) {
    std::memcpy(s.message, s.err.message, sizeof s.message);
    return false;
  }
  jpeg_read_header(&cinfo, TRUE);

  const std::uint64_t pixels = static_cast<std::uint64_t>(cinfo.image_width) * cinfo.image_height;
  if (pixels == 0 || PictureSizeTooLarge(cinfo.image_width, cinfo.image_height)) {
    std::snprintf(s.message, sizeof s.message, "JPEG picture of %u x %u pixels is %s", cinfo.image_width,
                  cinfo.image_height, pixels == 0 ? "empty" : "too large");
    return false;
  }
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
      s.cmyk = true;
      break;
    default:
      std::snprintf(s.message, sizeof s.message, "Unsupported JPEG colour space with %d components",
                    cinfo.num_components);
      return false;
  }
  const std::uint64_t unread = cinfo.src->bytes_in_buffer + (s.file ? s.file->size - s.file->offset : std::uint64_t{0});
  if (!HoldsEnoughData(cinfo, unread)) {
    std::snprintf(s.message, sizeof s.message,
                  "JPEG data is cut short: a picture of %u x %u pixels needs more than the %llu bytes left",
                  cinfo.image_width, cinfo.image_height, static_cast<unsigned long long>(unread));
    return false;
  }
  s.size = {static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height)};
  return true;
}

// Decodes into pic.pixels, which holds room for every pixel.
bool RunPixels(JpegState& s, Picture& pic) {
  jpeg_decompress_struct& cinfo = s.cinfo;
  if (setjmp(s.err.jump)) {
    std::memcpy(s.message, s.err.message, sizeof s.message);
    return false;
  }
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
      std::snprintf(s.message, sizeof s.message, "JPEG decoding stopped at row %u", first);
      return false;
    }
    for (JDIMENSION i = 0; i < got; ++i) {
      auto* row = pic.pixels.data() + static_cast<std::size_t>(first + i) * width;
      if (s.cmyk) {
        CmykRowToRgb(row, width, inverted);
      } else {
        // The filler byte libjpeg wrote is 0xFF; the pixel is made anew without it.
        for (JDIMENSION x = 0; x < width; ++x) row[x] = base::Pixel(row[x].Rgb());
      }
    }
  }
  // Every pixel is in. What follows the last scan (normally only the end
  // marker) is not read.
  return true;
}

[[noreturn]] void Refuse(const JpegState& s) { throw PictureError(std::string("JPEG: ") + s.message); }

}  // namespace

JpegReader::JpegReader(std::span<const std::uint8_t> bytes) : state_(std::make_unique<JpegState>()) {
  if (bytes.empty()) throw PictureError("JPEG file is empty");
  if (!Create(*state_)) Refuse(*state_);
  jpeg_mem_src(&state_->cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
}

JpegReader::JpegReader(int fd, std::uint64_t fileSize) : state_(std::make_unique<JpegState>()) {
  if (fileSize == 0) throw PictureError("JPEG file is empty");
  if (!Create(*state_)) Refuse(*state_);
  state_->file = std::make_unique<FileSource>();
  FileSource& src = *state_->file;
  src.pub.init_source = InitSource;
  src.pub.fill_input_buffer = FillInputBuffer;
  src.pub.skip_input_data = SkipInputData;
  src.pub.resync_to_restart = jpeg_resync_to_restart;
  src.pub.term_source = TermSource;
  src.pub.next_input_byte = nullptr;
  src.pub.bytes_in_buffer = 0;
  src.fd = fd;
  src.offset = 0;
  src.size = fileSize;
  state_->cinfo.src = &src.pub;
}

JpegReader::~JpegReader() {
  if (state_->created) jpeg_destroy_decompress(&state_->cinfo);
}

PictureSize JpegReader::ReadHeader() {
  if (!state_->header_read) {
    if (!RunHeader(*state_)) Refuse(*state_);
    state_->header_read = true;
  }
  return state_->size;
}

Picture JpegReader::Decode() {
  if (state_->decoded) throw PictureError("JPEG: the picture was decoded already");
  state_->decoded = true;
  const PictureSize size = ReadHeader();
  Picture pic;
  pic.pixels.resize(static_cast<std::size_t>(size.Pixels()));
  pic.width = size.width;
  pic.height = size.height;
  if (!RunPixels(*state_, pic)) Refuse(*state_);
  return pic;
}

}  // namespace detail

Picture DecodeJpeg(std::span<const std::uint8_t> bytes) { return detail::JpegReader(bytes).Decode(); }

}  // namespace vorbel::codecs
