#include "commands/recent_files.h"

#include <algorithm>

namespace vorbel::commands {

void RecentFiles::SetFiles(const std::vector<std::string>& files) {
  files_.clear();
  for (const std::string& file : files) {
    if (files_.size() == kMaxFiles) break;
    if (!file.empty() && std::find(files_.begin(), files_.end(), file) == files_.end()) files_.push_back(file);
  }
}

void RecentFiles::Add(const std::string& path) {
  if (path.empty()) return;
  Remove(path);
  files_.insert(files_.begin(), path);
  if (files_.size() > kMaxFiles) files_.resize(kMaxFiles);
}

void RecentFiles::Remove(const std::string& path) { std::erase(files_, path); }

}  // namespace vorbel::commands
