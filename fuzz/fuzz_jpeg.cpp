// Feeds arbitrary bytes to the JPEG decoder, libjpeg behind our error manager
// (libjpeg's default error handler would end the process); see
// picture_check.h for what counts as a fault.

#include "picture_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return CheckPictureDecoder(vorbel::codecs::DecodeJpeg, true, data, size);
}
