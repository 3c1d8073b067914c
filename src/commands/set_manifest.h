#pragma once
// The record a button set keeps in its folder of the files it wrote, so that
// the next set written there removes those it no longer writes, and nothing
// else.
//
// The record is a hidden text file, kSetManifestName, which no set file can
// be named (their names never start with "."): a first line kManifestHeader,
// one file name a line, and a last line "end", each line ended by LF. It is
// outside data like any file in a shared folder: a record that is not
// exactly so, or any of whose names is no name a set writes, is damaged,
// and a damaged record removes nothing.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorbel::commands {

inline constexpr std::string_view kSetManifestName = ".vorbel-set";
inline constexpr std::string_view kManifestHeader = "Vorbel button set 1";
// Records larger than this are damaged: a set of the most captions, looks,
// scales and formats needs well under half of it.
inline constexpr std::size_t kMaxManifestSize = std::size_t{8} << 20;

std::string SetManifestText(const std::vector<std::string>& names);
// The names of a record's bytes, or nothing when it is damaged.
std::optional<std::vector<std::string>> ParseSetManifest(std::string_view bytes);

// Whether a file name is one a set made with the file-name pattern could
// write: a button's picture in any format of the format table, a sprite
// sheet, the style sheet, the page or the snippet.
bool NamedLikeSetFile(std::string_view name, std::string_view pattern);

}  // namespace vorbel::commands
