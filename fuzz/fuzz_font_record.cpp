// Feeds arbitrary text to the reader of the font record, which lives in the
// user's cache and may hold anything. The input is the record without its
// last line; the target adds that line with the right checksum, so that the
// lines themselves are read rather than refused as damaged. Reading must never
// fail in any other way than by finding no match; a candidate it returns must
// name a file that exists, since every one is checked against the disk.

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "gdi/font_match_record.h"

namespace {

// The record's checksum: FNV-1a, 64 bits, in hexadecimal.
std::string ChecksumLine(const std::string& body) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const char c : body) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ull;
  }
  char line[32];
  std::snprintf(line, sizeof line, "end\t%llx\n", static_cast<unsigned long long>(hash));
  return line;
}

const std::string& RecordFile() {
  // In a folder of the user's own: a record anywhere else is not read.
  static const std::string path = [] {
    char pattern[] = "/tmp/vorbel-fuzz-font-record-XXXXXX";
    const char* folder = ::mkdtemp(pattern);
    return std::string(folder != nullptr ? folder : "/nonexistent") + "/font-matches";
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string body(reinterpret_cast<const char*>(data), size);
  const std::string text = body + ChecksumLine(body);
  if (FILE* f = std::fopen(RecordFile().c_str(), "wb")) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  vorbel::gdi::FontMatchRecord record(RecordFile(), "fuzz");
  for (const char* face : {"Sans", "", "DejaVu Sans"}) {
    if (const auto found = record.Find(face)) {
      for (const auto& ref : *found) {
        if (::access(ref.path.c_str(), F_OK) != 0) std::abort();
      }
    }
  }
  return 0;
}
