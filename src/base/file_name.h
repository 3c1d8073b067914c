#pragma once
// The parts of a file name.

#include <string_view>

namespace vorbel::base {

// The extension of a path: the text from the last "." after the last "/", the
// "." included; empty when the name has none. "dir.d/Home.vrb" gives ".vrb",
// "dir.d/Home" gives "".
std::string_view FileExtension(std::string_view path);

// The path without its extension ("dir/Home.vrb" gives "dir/Home").
std::string_view WithoutExtension(std::string_view path);

}  // namespace vorbel::base
