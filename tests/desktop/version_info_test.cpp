#include "desktop/version_info.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vorbel::desktop {
namespace {

namespace fs = std::filesystem;

// Builds a small ELF file: a header, a section-name table, one data section
// and the section headers (null, names, data) at the end.
struct ElfBuilder {
  bool is64 = true;
  bool big_endian = false;
  std::string section_name = ".vorbel_version";
  std::string payload = std::string("CompanyName=Acme\0FileVersion=2.3.4.5\0ProductName=Vorbel\0", 55);

  // Offsets of fields a test may damage, filled by Build().
  std::size_t shoff_field = 0, shentsize_field = 0, shstrndx_field = 0;
  std::size_t data_header = 0;  // start of the data section's header

  std::vector<unsigned char> bytes;

  void Put(std::size_t at, std::uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) {
      const unsigned char b = static_cast<unsigned char>(value >> (8 * i));
      bytes[big_endian ? at + width - 1 - i : at + i] = b;
    }
  }
  std::size_t Word() const { return is64 ? 8 : 4; }

  std::vector<unsigned char> Build() {
    const std::size_t header_size = is64 ? 64 : 52;
    const std::size_t entry_size = is64 ? 64 : 40;
    const std::string names = std::string("\0.shstrtab\0", 11) + section_name + std::string(1, '\0');
    const std::size_t names_at = header_size;
    const std::size_t data_at = names_at + names.size();
    const std::size_t headers_at = data_at + payload.size();
    bytes.assign(headers_at + 3 * entry_size, 0);
    const unsigned char ident[] = {0x7F, 'E', 'L', 'F', static_cast<unsigned char>(is64 ? 2 : 1),
                                   static_cast<unsigned char>(big_endian ? 2 : 1), 1};
    std::copy(std::begin(ident), std::end(ident), bytes.begin());
    shoff_field = is64 ? 40 : 32;
    shentsize_field = is64 ? 58 : 46;
    shstrndx_field = is64 ? 62 : 50;
    Put(shoff_field, headers_at, Word());
    Put(shentsize_field, entry_size, 2);
    Put(shentsize_field + 2, 3, 2);  // section count
    Put(shstrndx_field, 1, 2);
    std::copy(names.begin(), names.end(), bytes.begin() + static_cast<std::ptrdiff_t>(names_at));
    std::copy(payload.begin(), payload.end(), bytes.begin() + static_cast<std::ptrdiff_t>(data_at));
    auto section = [&](std::size_t index, std::uint32_t name, std::uint32_t type, std::size_t offset, std::size_t size) {
      const std::size_t at = headers_at + index * entry_size;
      Put(at, name, 4);
      Put(at + 4, type, 4);
      Put(at + (is64 ? 24 : 16), offset, Word());
      Put(at + (is64 ? 32 : 20), size, Word());
    };
    section(1, 1, 3, names_at, names.size());
    section(2, 11, 1, data_at, payload.size());
    data_header = headers_at + 2 * entry_size;
    return bytes;
  }
};

class VersionInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("vorbel_version_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Write(const std::vector<unsigned char>& bytes, const std::string& name = "program") {
    const fs::path path = dir_ / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  fs::path dir_;
};

TEST_F(VersionInfoTest, ReadsEveryClassAndByteOrder) {
  for (const bool is64 : {false, true}) {
    for (const bool big : {false, true}) {
      ElfBuilder elf;
      elf.is64 = is64;
      elf.big_endian = big;
      const std::string file = Write(elf.Build());
      SCOPED_TRACE(testing::Message() << "64-bit " << is64 << ", big-endian " << big);
      EXPECT_EQ(GetVersionInfoString(file, VersionInfoKey::FileVersion), "2.3.4.5");
      EXPECT_EQ(GetVersionInfoString(file, VersionInfoKey::CompanyName), "Acme");
      EXPECT_EQ(GetVersionInfoString(file, VersionInfoKey::ProductName), "Vorbel");
      EXPECT_EQ(GetVersionInfoString(file, VersionInfoKey::LegalCopyright), "");  // not in the section
    }
  }
}

TEST_F(VersionInfoTest, KeysOutsideTheListReadFileVersion) {
  ElfBuilder elf;
  const std::string file = Write(elf.Build());
  EXPECT_EQ(GetVersionInfoString(file), "2.3.4.5");
  for (const int key : {-1, 8, 100})
    EXPECT_EQ(GetVersionInfoString(file, static_cast<VersionInfoKey>(key)), "2.3.4.5") << key;
  EXPECT_STREQ(VersionInfoKeyName(VersionInfoKey::OriginalFilename), "OriginalFilename");
  EXPECT_STREQ(VersionInfoKeyName(static_cast<VersionInfoKey>(42)), "FileVersion");
}

TEST_F(VersionInfoTest, MatchesWholeKeysOnly) {
  ElfBuilder elf;
  elf.payload = std::string("FileVersionX=no\0\0\0FileVersion=a=b\0ProductName=last", 50);
  const std::string file = Write(elf.Build());
  EXPECT_EQ(GetVersionInfoString(file, VersionInfoKey::FileVersion), "a=b");
  EXPECT_EQ(GetVersionInfoString(file, VersionInfoKey::ProductName), "last");  // no final zero byte
}

TEST_F(VersionInfoTest, FilesWithoutTheSectionGiveEmptyText) {
  ElfBuilder other;
  other.section_name = ".vorbel_versio";
  EXPECT_EQ(GetVersionInfoString(Write(other.Build())), "");
  EXPECT_EQ(GetVersionInfoString(Write({'h', 'e', 'l', 'l', 'o'}, "text")), "");
  EXPECT_EQ(GetVersionInfoString(Write({}, "empty")), "");
  EXPECT_EQ(GetVersionInfoString((dir_ / "missing").string()), "");
  EXPECT_EQ(GetVersionInfoString(dir_.string()), "");  // a folder
  EXPECT_EQ(GetVersionInfoString(""), "");
}

TEST_F(VersionInfoTest, EveryTruncationGivesEmptyText) {
  ElfBuilder elf;
  const std::vector<unsigned char> whole = elf.Build();
  for (std::size_t length = 0; length < whole.size(); ++length) {
    const std::vector<unsigned char> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    ASSERT_EQ(GetVersionInfoString(Write(cut)), "") << "length " << length;
  }
}

TEST_F(VersionInfoTest, DamagedHeadersGiveEmptyText) {
  struct Damage {
    const char* what;
    void (*apply)(ElfBuilder&);
  };
  const Damage damages[] = {
      {"bad magic", [](ElfBuilder& e) { e.bytes[1] = 'X'; }},
      {"unknown class", [](ElfBuilder& e) { e.bytes[4] = 3; }},
      {"unknown byte order", [](ElfBuilder& e) { e.bytes[5] = 0; }},
      {"section headers past the end", [](ElfBuilder& e) { e.Put(e.shoff_field, e.bytes.size(), 8); }},
      {"section header offset wraps", [](ElfBuilder& e) { e.Put(e.shoff_field, ~std::uint64_t{0} - 8, 8); }},
      {"section header entry too small", [](ElfBuilder& e) { e.Put(e.shentsize_field, 16, 2); }},
      {"name table index out of range", [](ElfBuilder& e) { e.Put(e.shstrndx_field, 7, 2); }},
      {"data beyond the file", [](ElfBuilder& e) { e.Put(e.data_header + 24, e.bytes.size(), 8); }},
      {"data size wraps", [](ElfBuilder& e) { e.Put(e.data_header + 32, ~std::uint64_t{0}, 8); }},
      {"data without file content", [](ElfBuilder& e) { e.Put(e.data_header + 4, 8, 4); }},
      {"name offset out of the table", [](ElfBuilder& e) { e.Put(e.data_header, 5000, 4); }},
  };
  for (const Damage& damage : damages) {
    ElfBuilder elf;
    elf.Build();
    damage.apply(elf);
    EXPECT_EQ(GetVersionInfoString(Write(elf.bytes)), "") << damage.what;
  }
}

TEST_F(VersionInfoTest, ThisProgramCarriesTheProjectVersion) {
  const std::string self = ProgramFilePath();
  ASSERT_FALSE(self.empty());
  EXPECT_EQ(GetVersionInfoString(self, VersionInfoKey::FileVersion), VORBEL_EXPECTED_VERSION);
  EXPECT_EQ(GetVersionInfoString(self, VersionInfoKey::ProductVersion), VORBEL_EXPECTED_VERSION);
  EXPECT_EQ(GetVersionInfoString(self, VersionInfoKey::ProductName), "Vorbel");
  EXPECT_EQ(GetVersionInfoString(self, VersionInfoKey::OriginalFilename), fs::path(self).filename().string());
  EXPECT_NE(GetVersionInfoString(self, VersionInfoKey::LegalCopyright).find("Copyright"), std::string::npos);

  // A copy keeps its version; a copy cut in half is damaged and has none.
  std::ifstream in(self, std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(GetVersionInfoString(Write(bytes, "copy")), VORBEL_EXPECTED_VERSION);
  const std::vector<unsigned char> half(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2));
  EXPECT_EQ(GetVersionInfoString(Write(half, "half")), "");
}

}  // namespace
}  // namespace vorbel::desktop
