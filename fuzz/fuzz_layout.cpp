// Any bytes as a layout file: reading never fails, and what was read saves
// and reads back to the same document.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/button_document.h"
#include "files/ini_file.h"
#include "files/layout_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorbel;
  const IniFile ini(std::string(reinterpret_cast<const char*>(data), size));
  ButtonDocument doc;
  ReadLayout(doc, ini);

  const std::string saved = FormatLayout(doc);
  const IniFile again(saved);
  if (!again.IsUtf8()) std::abort();
  ButtonDocument back;
  ReadLayout(back, again);
  if (back.Rows() != doc.Rows() || back.Height() != doc.Height() || back.Width() != doc.Width() ||
      back.WorkAreaColor() != doc.WorkAreaColor()) {
    std::abort();
  }
  if (FormatLayout(back) != saved) std::abort();
  return 0;
}
