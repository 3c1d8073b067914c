#pragma once
// The version strings of a program file and the path of the running program.

#include <string>

namespace vorbel::desktop {

// Which version string to read. A value outside these reads FileVersion.
enum class VersionInfoKey {
  CompanyName,
  FileDescription,
  FileVersion,
  InternalName,
  LegalCopyright,
  OriginalFilename,
  ProductName,
  ProductVersion,
};

// "CompanyName" ... "ProductVersion", "FileVersion" for any other value.
const char* VersionInfoKeyName(VersionInfoKey key);

// Reads one version string from the program file FileName: the value stored
// for the key's name in the file's ".vorbel_version" ELF section, which the
// build writes as "Key=Value\0" entries. Returns "" for a missing or unreadable
// file, a file that is not ELF, a damaged ELF file (every header field and
// offset is checked against the file before it is used), a file without the
// section, or a section without that key. Never throws.
std::string GetVersionInfoString(const std::string& fileName, VersionInfoKey key = VersionInfoKey::FileVersion);

// The full path of the running program file, or "" when the system does not
// tell it.
std::string ProgramFilePath();

}  // namespace vorbel::desktop
