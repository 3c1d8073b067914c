#include "layout/ini_writer.h"

#include <algorithm>

#include "base/text_encoding.h"

namespace vorbel::layout {

void IniWriter::Section(std::string_view name) {
  text_ += '[';
  text_ += name;
  text_ += "]\r\n";
}

void IniWriter::Key(std::string_view key, std::string_view value) {
  text_ += key;
  text_ += '=';
  const std::size_t start = text_.size();
  if (base::IsValidUtf8(value)) text_ += value;
  else text_ += base::ToValidUtf8(value);
  std::replace_if(
      text_.begin() + static_cast<std::ptrdiff_t>(start), text_.end(),
      [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
  text_ += "\r\n";
}

void IniWriter::Key(std::string_view key, std::int64_t value) { Key(key, std::to_string(value)); }

}  // namespace vorbel::layout
