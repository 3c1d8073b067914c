// Any bytes as a layout file: reading never fails, and what was read saves
// and reads back to the same document.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/button_document.h"
#include "layout/ini_file.h"
#include "layout/layout_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorbel;
  const layout::IniFile ini(std::string(reinterpret_cast<const char*>(data), size));
  document::ButtonDocument doc;
  layout::ReadLayout(doc, ini);

  const std::string saved = layout::FormatLayout(doc);
  const layout::IniFile again(saved);
  if (!again.IsUtf8()) std::abort();
  document::ButtonDocument back;
  layout::ReadLayout(back, again);
  if (back.Rows() != doc.Rows() || back.Height() != doc.Height() || back.Width() != doc.Width() ||
      back.WorkAreaColor() != doc.WorkAreaColor()) {
    std::abort();
  }
  if (layout::FormatLayout(back) != saved) std::abort();
  return 0;
}
