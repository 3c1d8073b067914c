#include "app/headless_export.h"

#include <exception>
#include <new>

#include "commands/export.h"
#include "document/button_document.h"
#include "layout/layout_file.h"
#include "render/button_renderer.h"

namespace vorbel::app {

ExportOutcome ExportLayout(const std::string& output, const std::string& layout,
                           const std::vector<commands::PropertyOverride>& overrides) {
  try {
    document::ButtonDocument doc;
    render::ButtonRenderer renderer;
    layout::LoadLayout(doc, layout, [&] { renderer.RenderButton(doc); }, layout::MissingLayout::IsAnError);
    for (const commands::PropertyOverride& change : overrides) commands::ApplyPropertyOverride(doc, change);
    commands::ExportButton(doc, renderer, output);
    if (renderer.LastResult() == render::RenderResult::Partial) return {{}, layout + ": " + renderer.PartialMessage()};
    return {};
  } catch (const std::bad_alloc&) {
    return {"out of memory while exporting " + layout, {}};
  } catch (const std::exception& e) {
    return {e.what(), {}};
  }
}

}  // namespace vorbel::app
