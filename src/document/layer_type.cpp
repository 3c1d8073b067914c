#include "document/layer_type.h"

#include <string>

#include "base/ascii_text.h"

namespace vorbel::document {

namespace {

LayerKinds FindKinds(std::string_view type, std::string_view background_keyword) {
  const std::string upper = base::UpperCaseAscii(type);
  LayerKinds kinds;
  kinds.background = upper.find(background_keyword) != std::string::npos;
  kinds.text = upper.find("TEXT") != std::string::npos;
  kinds.bevel = upper.find("BEVEL") != std::string::npos;
  kinds.image = upper.find("IMAGE") != std::string::npos;
  return kinds;
}

}  // namespace

LayerKinds KindsForRender(std::string_view type) { return FindKinds(type, "BACKGR"); }

LayerKinds KindsForEdit(std::string_view type) { return FindKinds(type, "BACKGR"); }

LayerKinds KindsForAdd(std::string_view type) { return FindKinds(type, "BACKG"); }

bool HasOffsetControls(std::string_view type) {
  const std::string upper = base::UpperCaseAscii(type);
  return upper.find("TEXT") != std::string::npos || upper.find("IMAG") != std::string::npos;
}

}  // namespace vorbel::document
