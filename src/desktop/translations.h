#pragma once
// Where the translations of the program's messages are, beside the program
// file or in the tree it is installed in.

#include <string>

namespace vorbel::desktop {

// The folders of the translations for the program file at programPath:
//  - message_catalogs: gettext's catalogs (<folder>/<language>/LC_MESSAGES/
//    vorbel.mo) of the core's and the command line's messages;
//  - qt_translations: the window's Qt translations (vorbel_<language>.qm).
// A program in <prefix>/bin or <prefix>/lib/vorbel (the installed `vorbel` and
// `vorbel-window`) finds them in <prefix>/share/locale and
// <prefix>/share/vorbel/translations; any other (a build tree) in "locale"
// and "translations" beside itself. Nothing is looked up on the disk.
struct TranslationFolders {
  std::string message_catalogs;
  std::string qt_translations;
};
TranslationFolders TranslationFoldersFor(const std::string& programPath);

}  // namespace vorbel::desktop
