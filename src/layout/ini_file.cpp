#include "layout/ini_file.h"

#include <utility>

#include "base/ascii_text.h"
#include "base/text_encoding.h"
#include "document/value_conversion.h"

namespace vorbel::layout {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The line that starts at `pos`, without its terminator; `pos` moves to the
// start of the next line. A line ends at LF, CR LF or a lone CR. The scan stops
// at the first CR or LF, so reading a text line by line looks at each byte
// once, whatever its line ends.
std::string_view NextLine(std::string_view text, std::size_t& pos) {
  const char* const start = text.data() + pos;
  const char* const end = text.data() + text.size();
  const char* p = start;
  while (p != end && *p != '\n' && *p != '\r') ++p;
  const std::string_view line(start, static_cast<std::size_t>(p - start));
  if (p != end) {
    // A CR right before an LF belongs to it.
    if (*p == '\r' && p + 1 != end && p[1] == '\n') ++p;
    ++p;
  }
  pos = static_cast<std::size_t>(p - text.data());
  return line;
}

// The name of a section head line (leading blanks already skipped), or
// nullopt when the line is not one.
std::optional<std::string_view> SectionName(std::string_view line) {
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.rfind(']');
  if (close == std::string_view::npos) return std::nullopt;
  return base::TrimBlanks(line.substr(1, close - 1));
}

std::string_view SkipLeadingBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

}  // namespace

IniFile::IniFile(std::string text) : text_(std::move(text)) {
  body_ = text_;
  if (body_.starts_with(kByteOrderMark)) body_.remove_prefix(kByteOrderMark.size());
  utf8_ = base::IsValidUtf8(body_);
}

bool IniFile::NextSection(std::size_t& pos, Section& section) const {
  std::optional<std::string_view> name;
  while (!name && pos < body_.size()) name = SectionName(SkipLeadingBlanks(NextLine(body_, pos)));
  if (!name) return false;
  const std::size_t bodyStart = pos;
  std::size_t bodyEnd = pos;
  while (pos < body_.size()) {
    std::size_t next = pos;
    if (SectionName(SkipLeadingBlanks(NextLine(body_, next)))) break;
    pos = next;
    bodyEnd = next;
  }
  section.name_ = *name;
  section.body_ = body_.substr(bodyStart, bodyEnd - bodyStart);
  return true;
}

std::optional<std::string_view> IniFile::Section::RawValue(std::string_view key) const {
  std::size_t pos = 0;
  while (pos < body_.size()) {
    const std::string_view line = NextLine(body_, pos);
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    if (base::EqualsIgnoringAsciiCase(base::TrimBlanks(line.substr(0, eq)), key)) return line.substr(eq + 1);
  }
  return std::nullopt;
}

std::optional<IniFile::Section> IniFile::FindSection(std::string_view name) const {
  std::size_t pos = 0;
  Section section;
  while (NextSection(pos, section)) {
    if (base::EqualsIgnoringAsciiCase(section.Name(), name)) return section;
  }
  return std::nullopt;
}

std::string IniFile::Decode(std::string_view raw) const {
  if (utf8_) return std::string(base::Utf8Prefix(raw, kMaxValueChars));
  // Windows-1252 has one byte per character: cut first, then widen.
  return base::Windows1252ToUtf8(raw.substr(0, kMaxValueChars));
}

std::optional<std::string> IniFile::ReadValue(const Section& section, std::string_view key) const {
  const std::optional<std::string_view> raw = section.RawValue(key);
  if (!raw) return std::nullopt;
  return Decode(*raw);
}

std::string IniFile::ReadString(const Section& section, std::string_view key, std::string_view def) const {
  std::optional<std::string> value = ReadValue(section, key);
  return value ? std::move(*value) : std::string(def);
}

std::optional<std::int32_t> IniFile::TryReadInteger(const Section& section, std::string_view key) const {
  const std::optional<std::string_view> raw = section.RawValue(key);
  if (!raw) return std::nullopt;
  // Signs, digits and blanks are ASCII, one byte each in both encodings, so
  // cutting the raw bytes gives the same number as cutting the characters.
  // Blanks around the number are no part of it: "Layers=1 " is one layer.
  const std::string_view value = base::TrimBlanks(raw->substr(0, kMaxValueChars));
  // Only "$", "0x" and "0X" introduce hexadecimal here; the bare "x" that
  // property values accept is no number in a layout file.
  if (!value.empty() && (value.front() == 'x' || value.front() == 'X')) return std::nullopt;
  return document::TryStringToInt(value);
}

std::int32_t IniFile::ReadInteger(const Section& section, std::string_view key, std::int32_t def) const {
  return TryReadInteger(section, key).value_or(def);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  const std::optional<Section> found = FindSection(section);
  return found ? ReadString(*found, key, def) : std::string(def);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const {
  const std::optional<Section> found = FindSection(section);
  return found ? ReadInteger(*found, key, def) : def;
}

}  // namespace vorbel::layout
