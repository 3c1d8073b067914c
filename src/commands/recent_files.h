#pragma once
// The list of layout files last opened or saved, newest first, as the File
// menu offers them. The window keeps it in the user's settings; the list
// itself knows nothing of where it is kept.

#include <cstddef>
#include <string>
#include <vector>

namespace vorbel::commands {

class RecentFiles {
 public:
  static constexpr std::size_t kMaxFiles = 8;

  const std::vector<std::string>& Files() const { return files_; }

  // Replaces the list, as read back from the settings: empty names and later
  // copies of a name are dropped, and only the first kMaxFiles are kept.
  void SetFiles(const std::vector<std::string>& files);
  // Puts `path` first, removing an older copy of it; the oldest name drops
  // off a full list. Names are compared as they are, so the caller passes
  // absolute paths.
  void Add(const std::string& path);
  // Removes `path` (a file that is no longer there).
  void Remove(const std::string& path);

 private:
  std::vector<std::string> files_;
};

}  // namespace vorbel::commands
