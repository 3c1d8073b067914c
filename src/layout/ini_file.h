#pragma once
// Reading an INI text: sections "[Name]" holding lines "Key=Value".
//
// The rules:
//  - Lines end with CR LF, LF or a lone CR. Blanks (spaces, tabs) at the start
//    of a line are skipped.
//  - A line that starts with "[" and holds a "]" is a section head; the name is
//    the text between the "[" and the last "]", blanks at both ends removed.
//  - Any other line that holds "=" is a key line: the key is the text before
//    the first "=", blanks at both ends removed; the value is everything after
//    that "=", exactly as it stands (blanks and further "=" included).
//  - Every other line, and every key line before the first section head, is
//    ignored.
//  - Names compare ignoring ASCII letter case. Where a name occurs twice the
//    first occurrence wins: the first section of a name is the one read, and
//    within it the first line with a key.
//  - The text is read as UTF-8 when all of it is well-formed UTF-8 (a byte
//    order mark at the start is skipped), otherwise as Windows-1252. Values come
//    back as UTF-8, cut to their first 2047 characters.
//
// Nothing is indexed up front: a lookup scans the text, so a file of any size
// or shape costs memory only for its own bytes, and time in proportion to them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorbel::layout {

class IniFile {
 public:
  static constexpr std::size_t kMaxValueChars = 2047;

  // One section: its name and the lines up to the next section head. A view
  // into the IniFile, valid while that lives.
  class Section {
   public:
    std::string_view Name() const { return name_; }
    // The value of the section's first line with this key, as it stands in
    // the file (not decoded, not cut); nullopt when no line has the key.
    std::optional<std::string_view> RawValue(std::string_view key) const;

   private:
    friend class IniFile;
    std::string_view name_;
    std::string_view body_;
  };

  // An empty text: no sections.
  IniFile() = default;
  // Takes the whole text of a file.
  explicit IniFile(std::string text);
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  // Whether the text is read as UTF-8 (else as Windows-1252).
  bool IsUtf8() const { return utf8_; }
  // The whole text, without a byte order mark.
  std::string_view Text() const { return body_; }

  // Calls visit(const Section&) for every section head in file order,
  // repeated names included.
  template <typename Visit>
  void ForEachSection(Visit&& visit) const {
    std::size_t pos = 0;
    Section section;
    while (NextSection(pos, section)) visit(section);
  }

  // The first section with this name.
  std::optional<Section> FindSection(std::string_view name) const;

  // A key's value decoded to UTF-8 and cut to kMaxValueChars characters;
  // nullopt when the key is missing. An empty value is a value.
  std::optional<std::string> ReadValue(const Section& section, std::string_view key) const;
  // The value, or `def` when the key is missing.
  std::string ReadString(const Section& section, std::string_view key, std::string_view def) const;
  // The value as an integer: decimal with an optional sign, or hexadecimal
  // after "$", "0x" or "0X", with any blanks before and after it. `def` when
  // the key is missing, empty, or its value is anything else (other trailing
  // characters, overflow of 32 bits).
  std::int32_t ReadInteger(const Section& section, std::string_view key, std::int32_t def) const;
  // The integer, or nullopt under the same conditions.
  std::optional<std::int32_t> TryReadInteger(const Section& section, std::string_view key) const;

  // The same lookups by section name; a missing section gives the default.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const;

 private:
  // Finds the next section head at or after `pos`; fills `section` and moves
  // `pos` to the start of the following head (or the end). False at the end.
  bool NextSection(std::size_t& pos, Section& section) const;
  std::string Decode(std::string_view raw) const;

  std::string text_;
  std::string_view body_;  // text_ without a byte order mark
  bool utf8_ = true;
};

}  // namespace vorbel::layout
