// A set's record of its files as found in a folder anyone may write: the
// names it gives must stay plain names inside the folder, and whatever a set
// writes reads back as it was written.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/set_input.h"
#include "commands/set_manifest.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorbel::commands;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<std::vector<std::string>> names = ParseSetManifest(bytes);
  if (!names) return 0;
  for (const std::string& name : *names) {
    Check(!name.empty() && name.front() != '.' && name.find('/') == std::string::npos &&
          name.find('\0') == std::string::npos && name.size() <= 255);
    NamedLikeSetFile(name, kDefaultSetPattern);
    NamedLikeSetFile(name, "{name}{index}{name}-{state}{scale}");
  }
  Check(ParseSetManifest(SetManifestText(*names)) == names);
  return 0;
}
