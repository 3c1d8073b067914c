// Feeds arbitrary bytes to the BMP decoder (see picture_check.h for what counts
// as a fault).

#include "picture_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return CheckPictureDecoder(vorbel::codecs::DecodeBmp, false, data, size);
}
