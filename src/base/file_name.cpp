#include "base/file_name.h"

namespace vorbel::base {

std::string_view FileExtension(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  return path.substr(dot);
}

std::string_view WithoutExtension(std::string_view path) {
  return path.substr(0, path.size() - FileExtension(path).size());
}

}  // namespace vorbel::base
