#pragma once
// Writing an INI text: section heads and key lines in the order given, each
// line ended by CR LF, in UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

namespace vorbel::layout {

class IniWriter {
 public:
  // Starts a section: "[" + name + "]".
  void Section(std::string_view name);
  // Adds "key=value". A value must stay on its one line, so each CR or LF in
  // it is written as a blank, and so is a NUL, which would make the file no
  // text to read back; bytes that are not well-formed UTF-8 are read as
  // Windows-1252, so the file is always well-formed UTF-8.
  void Key(std::string_view key, std::string_view value);
  // Adds "key=" + the decimal text of value (a minus sign when negative).
  void Key(std::string_view key, std::int64_t value);

  const std::string& Text() const { return text_; }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

}  // namespace vorbel::layout
