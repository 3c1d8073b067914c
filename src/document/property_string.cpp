#include "document/property_string.h"

#include "document/ascii_case.h"

namespace vorbel {

std::string GetPropValue(std::string_view key, std::string_view props, std::string_view def) {
  const std::string search_key = UpperCaseAscii(key) + "=";
  // Upper-casing keeps every byte position, so a position found in the copy
  // addresses the same text in the unchanged string.
  const std::string upper_props = UpperCaseAscii(props);
  const std::size_t found = upper_props.find(search_key);
  std::string_view value;
  if (found != std::string::npos) {
    value = props.substr(found + search_key.size());
    const std::size_t semicolon = value.find(';');
    if (semicolon != std::string_view::npos) value = value.substr(0, semicolon);
  }
  return std::string(value.empty() ? def : value);
}

bool YesNoToBool(std::string_view value) {
  return value.find_first_of("yY") != std::string_view::npos;
}

}  // namespace vorbel
