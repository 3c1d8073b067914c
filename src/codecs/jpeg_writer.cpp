// JPEG files through libjpeg. As when decoding, libjpeg's fatal errors jump
// back here instead of ending the process and become FileWriteError.

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include <jpeglib.h>
#include <jerror.h>

#include "codecs/image_writers.h"

namespace vorbel::codecs {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

struct ErrorManager {
  jpeg_error_mgr pub;  // first, so libjpeg's pointer to it is a pointer to us
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}
void EmitMessage(j_common_ptr, int) {}
void OutputMessage(j_common_ptr) {}

// A destination that appends the compressed bytes to a vector.
struct VectorDestination {
  jpeg_destination_mgr pub;  // first, as above
  std::vector<std::uint8_t>* out;
  JOCTET buffer[kChunk];
};

bool Append(std::vector<std::uint8_t>& out, const JOCTET* data, std::size_t size) noexcept {
  try {
    out.insert(out.end(), data, data + size);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void InitDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
  dest->pub.next_output_byte = dest->buffer;
  dest->pub.free_in_buffer = kChunk;
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
  if (!Append(*dest->out, dest->buffer, kChunk)) ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
  dest->pub.next_output_byte = dest->buffer;
  dest->pub.free_in_buffer = kChunk;
  return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
  if (!Append(*dest->out, dest->buffer, kChunk - dest->pub.free_in_buffer)) ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
}

// Compresses into `dest`; on failure returns false with `message` filled in.
// Nothing with a destructor lives in this frame: libjpeg's errors longjmp here.
bool RunEncoder(const PixelView& img, int quality, VectorDestination& dest, char (&message)[JMSG_LENGTH_MAX]) {
  jpeg_compress_struct cinfo;
  ErrorManager err;
  std::memset(&cinfo, 0, sizeof cinfo);
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = ErrorExit;
  err.pub.emit_message = EmitMessage;
  err.pub.output_message = OutputMessage;
  err.message[0] = '\0';
  dest.pub.init_destination = InitDestination;
  dest.pub.empty_output_buffer = EmptyOutputBuffer;
  dest.pub.term_destination = TermDestination;

  if (setjmp(err.jump)) {
    std::memcpy(message, err.message, sizeof message);
    jpeg_destroy_compress(&cinfo);
    return false;
  }

  jpeg_create_compress(&cinfo);
  cinfo.dest = &dest.pub;
  cinfo.image_width = static_cast<JDIMENSION>(img.width);
  cinfo.image_height = static_cast<JDIMENSION>(img.height);
  // Bytes B, G, R, X: our 0x00RRGGBB pixels as they lie in memory, read
  // directly without a conversion copy.
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&cinfo);  // YCbCr, 2x2 chroma subsampling, JFIF header
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row[1] = {const_cast<JSAMPROW>(reinterpret_cast<const JSAMPLE*>(img.Row(static_cast<int>(cinfo.next_scanline))))};
    jpeg_write_scanlines(&cinfo, row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const PixelView& img, int quality) {
  CheckExportable(img);
  std::vector<std::uint8_t> out;
  auto dest = std::make_unique<VectorDestination>();
  dest->out = &out;
  char message[JMSG_LENGTH_MAX] = {};
  if (!RunEncoder(img, std::clamp(quality, 0, 100), *dest, message))
    throw base::FileWriteError(std::string("Unable to encode the JPEG image: ") + message);
  return out;
}

}  // namespace vorbel::codecs
