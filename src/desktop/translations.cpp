#include "desktop/translations.h"

#include <string_view>

namespace vorbel::desktop {
namespace {

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

TranslationFolders TranslationFoldersFor(const std::string& programPath) {
  const std::size_t slash = programPath.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : programPath.substr(0, slash);
  std::string prefix;
  if (EndsWith(folder, "/bin")) {
    prefix = folder.substr(0, folder.size() - 4);
  } else if (EndsWith(folder, "/lib/vorbel")) {
    prefix = folder.substr(0, folder.size() - 11);
  } else {
    return {folder + "/locale", folder + "/translations"};
  }
  return {prefix + "/share/locale", prefix + "/share/vorbel/translations"};
}

}  // namespace vorbel::desktop
