#include "document/property_string.h"

#include "base/ascii_text.h"

namespace vorbel::document {

namespace {

// The first position at which key + "=" stands in props, comparing ASCII
// letters without regard to case; npos when it does not. Compares in place:
// the drawers look up a dozen keys per layer on every render pass.
std::size_t FindKey(std::string_view key, std::string_view props) {
  const std::size_t n = key.size();
  if (props.size() <= n) return std::string_view::npos;
  const std::size_t last = props.size() - n - 1;  // the "=" must fit after the key
  for (std::size_t at = props.find('=', n); at != std::string_view::npos && at - n <= last;
       at = props.find('=', at + 1)) {
    const std::size_t start = at - n;
    std::size_t i = 0;
    while (i < n && base::UpperAscii(props[start + i]) == base::UpperAscii(key[i])) ++i;
    if (i == n) return start;
  }
  return std::string_view::npos;
}

}  // namespace

std::string GetPropValue(std::string_view key, std::string_view props, std::string_view def) {
  const std::size_t found = FindKey(key, props);
  std::string_view value;
  if (found != std::string_view::npos) {
    value = props.substr(found + key.size() + 1);
    const std::size_t semicolon = value.find(';');
    if (semicolon != std::string_view::npos) value = value.substr(0, semicolon);
  }
  return std::string(value.empty() ? def : value);
}

std::string SetPropValue(std::string_view key, std::string_view props, std::string_view value) {
  const std::size_t found = FindKey(key, props);
  std::string result;
  if (found == std::string_view::npos) {
    result.reserve(props.size() + key.size() + value.size() + 3);
    result.append(props);
    if (!result.empty() && result.back() != ';') result += ';';
    result.append(key).append(1, '=').append(value).append(1, ';');
    return result;
  }
  const std::size_t start = found + key.size() + 1;
  const std::size_t semicolon = props.find(';', start);
  const std::size_t end = semicolon == std::string_view::npos ? props.size() : semicolon;
  result.reserve(props.size() - (end - start) + value.size());
  result.append(props.substr(0, start)).append(value).append(props.substr(end));
  return result;
}

bool YesNoToBool(std::string_view value) {
  return value.find_first_of("yY") != std::string_view::npos;
}

}  // namespace vorbel::document
