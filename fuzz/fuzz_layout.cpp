// Any bytes as a layout file: reading never fails. What was read from a text
// that is taken for a layout (LoadLayout reads no other) saves and reads back
// to the same document, and the saved text is taken for a layout again.

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
  if (!layout::IsLayoutText(ini)) return 0;

  const std::string saved = layout::FormatLayout(doc);
  const layout::IniFile again(saved);
  if (!again.IsUtf8() || !layout::IsLayoutText(again)) std::abort();
  document::ButtonDocument back;
  layout::ReadLayout(back, again);
  if (back.Rows() != doc.Rows() || back.Height() != doc.Height() || back.Width() != doc.Width() ||
      back.WorkAreaColor() != doc.WorkAreaColor() || back.SetCaptions() != doc.SetCaptions()) {
    std::abort();
  }
  if (layout::FormatLayout(back) != saved) std::abort();
  return 0;
}
