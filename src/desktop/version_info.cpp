#include "desktop/version_info.h"

#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <limits>
#include <new>
#include <optional>
#include <string_view>
#include <vector>

namespace vorbel::desktop {

namespace {

constexpr std::string_view kSectionName = ".vorbel_version";
// Caps that keep a damaged file from making us read or allocate much.
constexpr std::uint64_t kMaxSectionCount = 1u << 20;
constexpr std::uint64_t kMaxStringTableSize = 16u << 20;
constexpr std::uint64_t kMaxVersionSectionSize = 64u << 10;

constexpr std::uint32_t kShtNobits = 8;
constexpr std::uint16_t kShnXindex = 0xFFFF;

// Random access to a file with every read checked against its size.
class FileBytes {
 public:
  explicit FileBytes(const std::string& name) : stream_(name, std::ios::binary) {
    if (!stream_) return;
    stream_.seekg(0, std::ios::end);
    const std::streamoff end = stream_.tellg();
    if (end < 0) return;
    size_ = static_cast<std::uint64_t>(end);
    ok_ = true;
  }

  bool ok() const { return ok_; }
  std::uint64_t size() const { return size_; }

  // Reads count bytes at offset; false when they do not all lie in the file.
  bool Read(std::uint64_t offset, std::uint64_t count, std::vector<unsigned char>& out) {
    if (!ok_ || offset > size_ || count > size_ - offset) return false;
    out.resize(static_cast<std::size_t>(count));
    if (count == 0) return true;
    stream_.clear();
    stream_.seekg(static_cast<std::streamoff>(offset));
    stream_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(count));
    return static_cast<std::uint64_t>(stream_.gcount()) == count;
  }

 private:
  std::ifstream stream_;
  std::uint64_t size_ = 0;
  bool ok_ = false;
};

// Field reader for one header in the file's byte order.
class Fields {
 public:
  Fields(const std::vector<unsigned char>& bytes, bool big_endian)
      : bytes_(bytes), big_endian_(big_endian) {}

  std::uint64_t Get(std::size_t offset, std::size_t width) const {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
      const std::size_t at = big_endian_ ? offset + i : offset + width - 1 - i;
      value = (value << 8) | bytes_[at];
    }
    return value;
  }

 private:
  const std::vector<unsigned char>& bytes_;
  bool big_endian_;
};

struct Section {
  std::uint32_t name = 0;
  std::uint32_t type = 0;
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
  std::uint32_t link = 0;
};

// Layout of the ELF file header and section header for one file class.
struct Layout {
  std::size_t header_size, shoff_at, shentsize_at, shnum_at, shstrndx_at;
  std::size_t section_size, sh_offset_at, sh_size_at, sh_link_at, address_width;
};

constexpr Layout kElf32{52, 32, 46, 48, 50, 40, 16, 20, 24, 4};
constexpr Layout kElf64{64, 40, 58, 60, 62, 64, 24, 32, 40, 8};

std::optional<std::string> ReadVersionSection(const std::string& file_name) {
  FileBytes file(file_name);
  std::vector<unsigned char> header;
  if (!file.ok() || !file.Read(0, 16, header)) return std::nullopt;
  if (header[0] != 0x7F || header[1] != 'E' || header[2] != 'L' || header[3] != 'F') return std::nullopt;
  if (header[4] != 1 && header[4] != 2) return std::nullopt;  // ELFCLASS32 / ELFCLASS64
  if (header[5] != 1 && header[5] != 2) return std::nullopt;  // little / big endian
  if (header[6] != 1) return std::nullopt;                    // EV_CURRENT
  const Layout& layout = header[4] == 1 ? kElf32 : kElf64;
  const bool big_endian = header[5] == 2;

  if (!file.Read(0, layout.header_size, header)) return std::nullopt;
  const Fields fields(header, big_endian);
  const std::uint64_t shoff = fields.Get(layout.shoff_at, layout.address_width);
  const std::uint64_t shentsize = fields.Get(layout.shentsize_at, 2);
  std::uint64_t shnum = fields.Get(layout.shnum_at, 2);
  std::uint64_t shstrndx = fields.Get(layout.shstrndx_at, 2);
  if (shoff == 0 || shentsize < layout.section_size) return std::nullopt;

  std::vector<unsigned char> bytes;
  auto read_section = [&](std::uint64_t index) -> std::optional<Section> {
    if (index > std::numeric_limits<std::uint64_t>::max() / shentsize) return std::nullopt;
    const std::uint64_t at = index * shentsize;
    if (at > std::numeric_limits<std::uint64_t>::max() - shoff) return std::nullopt;
    if (!file.Read(shoff + at, layout.section_size, bytes)) return std::nullopt;
    const Fields f(bytes, big_endian);
    Section s;
    s.name = static_cast<std::uint32_t>(f.Get(0, 4));
    s.type = static_cast<std::uint32_t>(f.Get(4, 4));
    s.offset = f.Get(layout.sh_offset_at, layout.address_width);
    s.size = f.Get(layout.sh_size_at, layout.address_width);
    s.link = static_cast<std::uint32_t>(f.Get(layout.sh_link_at, 4));
    return s;
  };

  // Files with very many sections keep the real counts in section 0.
  if (shnum == 0 || shstrndx == kShnXindex) {
    const std::optional<Section> first = read_section(0);
    if (!first) return std::nullopt;
    if (shnum == 0) shnum = first->size;
    if (shstrndx == kShnXindex) shstrndx = first->link;
  }
  if (shnum == 0 || shnum > kMaxSectionCount || shstrndx >= shnum) return std::nullopt;

  const std::optional<Section> names_section = read_section(shstrndx);
  if (!names_section || names_section->type == kShtNobits ||
      names_section->size > kMaxStringTableSize) {
    return std::nullopt;
  }
  std::vector<unsigned char> names;
  if (!file.Read(names_section->offset, names_section->size, names)) return std::nullopt;

  for (std::uint64_t i = 1; i < shnum; ++i) {
    const std::optional<Section> section = read_section(i);
    if (!section) return std::nullopt;
    if (section->name >= names.size()) continue;
    const char* name = reinterpret_cast<const char*>(names.data()) + section->name;
    const std::size_t room = names.size() - section->name;
    const std::size_t length = strnlen(name, room);
    if (length == room || std::string_view(name, length) != kSectionName) continue;
    if (section->type == kShtNobits || section->size > kMaxVersionSectionSize) return std::nullopt;
    std::vector<unsigned char> data;
    if (!file.Read(section->offset, section->size, data)) return std::nullopt;
    return std::string(data.begin(), data.end());
  }
  return std::nullopt;
}

}  // namespace

const char* VersionInfoKeyName(VersionInfoKey key) {
  static constexpr const char* kNames[] = {"CompanyName",      "FileDescription", "FileVersion",
                                           "InternalName",     "LegalCopyright",  "OriginalFilename",
                                           "ProductName",      "ProductVersion"};
  const auto index = static_cast<std::size_t>(key);
  return index < std::size(kNames) ? kNames[index] : kNames[static_cast<std::size_t>(VersionInfoKey::FileVersion)];
}

std::string GetVersionInfoString(const std::string& fileName, VersionInfoKey key) {
  try {
    const std::optional<std::string> section = ReadVersionSection(fileName);
    if (!section) return {};
    const std::string_view wanted = VersionInfoKeyName(key);
    std::string_view rest(*section);
    // Entries are "Key=Value" each ended by a zero byte; padding zeros are
    // empty entries. An entry missing its final zero still counts.
    while (!rest.empty()) {
      const std::size_t end = rest.find('\0');
      const std::string_view entry = rest.substr(0, end);
      rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
      const std::size_t equals = entry.find('=');
      if (equals != std::string_view::npos && entry.substr(0, equals) == wanted) {
        return std::string(entry.substr(equals + 1));
      }
    }
  } catch (const std::bad_alloc&) {
    // A file too large for the memory gives "" like any unreadable file.
  }
  return {};
}

std::string ProgramFilePath() {
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < buffer.size()) return std::string(buffer.data(), static_cast<std::size_t>(length));
    if (buffer.size() >= (1u << 20)) return {};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace vorbel::desktop
