#pragma once
// Registers a document file type with the desktop (the XDG shared MIME-info
// database, a desktop entry and hicolor icons) so that the desktop shows such
// files with their own icon and description and opens them in this program.

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vorbel::desktop {

// Starts a helper program (argv[0] is its full path) without waiting for it.
using CommandRunner = std::function<void(const std::vector<std::string>& argv)>;

// Runs argv detached from this process, its output thrown away; returns at
// once and never waits for the command. Failures are ignored.
void SpawnDetached(const std::vector<std::string>& argv);

// Full path of a program found on $PATH, or "" when there is none.
std::string FindProgramOnPath(const std::string& name);

// $XDG_DATA_HOME when it is set to an absolute path, otherwise
// $HOME/.local/share (the home folder from the password database when $HOME
// is unset); "" when there is no home folder.
std::string DefaultDataHome();

// The system's data folders: the absolute folders of $XDG_DATA_DIRS, or
// /usr/local/share and /usr/share when it names none.
std::vector<std::string> DefaultDataDirs();

// One program argument quoted for the Exec key of a desktop entry: left as it
// is when it holds no reserved character, otherwise enclosed in double quotes
// with ", `, $ and \ escaped by a backslash; "%" is doubled either way. The
// result still needs the string escaping of the desktop-entry format
// (EscapeDesktopString) before it is written.
std::string QuoteExecArgument(const std::string& argument);

// A value escaped for a desktop-entry string: backslash, newline, tab and
// carriage return become \\, \n, \t and \r.
std::string EscapeDesktopString(const std::string& value);

// Whether a program path can be named in the Exec and TryExec keys of a
// desktop entry as desktops built on GLib read them: well-formed UTF-8 (they
// drop an entry that is not), without "%" (they look the program up before
// "%%" becomes "%", and find none) and without control characters.
bool IsPlainExecPath(const std::string& path);

// What one file type's registration writes. The icons are PNG file contents.
struct FileTypeRegistration {
  std::string extension;       // without the dot, e.g. "vrb"
  std::string mime_type;       // e.g. "application/x-vorbel-layout"
  std::string description;     // shown by file managers
  std::string sub_class_of;    // parent MIME type, or ""
  std::vector<std::string> magic;  // what the files can start with: known so without the extension
  std::string application_id;  // names the desktop entry and the program icon
  // Ids this application was registered under before: their files, where
  // they are still this type's, are removed, so that no second entry stays.
  std::vector<std::string> former_application_ids;
  std::string application_name;
  std::string generic_name;
  std::string application_comment;
  // The desktop entry's search words, each ended by ";".
  std::string keywords;
  std::string program_path;                                     // absolute path of the program that opens the files
  std::vector<std::pair<int, std::string>> document_icons_png;  // square size, PNG
  std::string document_icon_svg;                                // scalable, or ""
  std::vector<std::pair<int, std::string>> program_icons_png;   // square size, PNG
  // program_path also writes thumbnails (`--thumbnail SIZE LAYOUT OUT`): a
  // thumbnailer entry tells file managers so.
  bool thumbnailer = false;

  // The shared MIME-info package, the desktop entry (starting `program`,
  // program_path when not given), and where the files go, all relative to the
  // data home.
  std::string MimePackageXml() const;
  std::string DesktopEntry() const { return DesktopEntry(program_path); }
  std::string DesktopEntry(const std::string& program) const;
  // The thumbnailer entry (freedesktop.org thumbnailers, as GNOME and
  // tumbler read them) that has `program` write the thumbnails of the type.
  std::string ThumbnailerEntry(const std::string& program) const;
  // Each path of an application's files takes its id; "" means application_id.
  std::string MimePackagePath(const std::string& id = {}) const;   // mime/packages/<id>.xml
  std::string DesktopEntryPath(const std::string& id = {}) const;  // applications/<id>.desktop
  std::string DocumentIconPath(int size) const;                    // icons/hicolor/NxN/mimetypes/<type-with-dash>.png
  std::string ScalableDocumentIconPath() const;  // icons/hicolor/scalable/mimetypes/<type-with-dash>.svg
  std::string ProgramIconPath(int size, const std::string& id = {}) const;  // icons/hicolor/NxN/apps/<id>.png
  std::string ProgramLinkPath(const std::string& id = {}) const;            // <id>/bin/<id>
  std::string ThumbnailerPath(const std::string& id = {}) const;            // thumbnailers/<id>.thumbnailer

  // Writes every file below dataHome whose content differs from what is there
  // (each through a temporary file and a rename, so a reader never sees half a
  // file; the thumbnailer entry only when `thumbnailer` is set) and starts the
  // desktop's database refresh tools found on $PATH through runner: each when
  // a file it reads changed, or when its database is missing or older than our
  // file (a refresh that never ran or failed is made up for). A program path
  // that desktops cannot start from an entry (see IsPlainExecPath) is named
  // there through a symbolic link at ProgramLinkPath(). The files of former
  // ids go: entries and packages that name this MIME type, icons equal to
  // ours, the program link. Returns true when every file holds its current
  // content; never throws and reports nothing.
  bool Register(const std::string& dataHome, const CommandRunner& runner = SpawnDetached) const;

  // The system data folder of dataDirs (a package's <prefix>/share) that
  // registers this type for program_path already, or "": its desktop entry
  // and MIME package are there, and its thumbnailer entry when `thumbnailer`
  // is set; the entry's program (TryExec, looked up on $PATH when it is a
  // bare name) is program_path, or program_path lies beside it or in its
  // <prefix>/lib/vorbel (the window program it starts).
  std::string SystemDataDir(const std::vector<std::string>& dataDirs) const;

  // Removes from dataHome the files that Register wrote, each only while it
  // is still exactly what Register writes (a desktop or thumbnailer entry
  // for the program it names, our MIME package, our icons, the program link),
  // and refreshes the desktop's databases where a file went. Another
  // program's or a hand-edited file stays. Returns true when none of ours is
  // left; never throws and reports nothing.
  bool Unregister(const std::string& dataHome, const CommandRunner& runner = SpawnDetached) const;
};

// Icons that the window program hands to RegisterLayoutFileType.
struct FileTypeIcons {
  std::vector<std::pair<int, std::string>> document_icons_png;  // size, PNG
  std::string document_icon_svg;                                // scalable
  std::vector<std::pair<int, std::string>> program_icons_png;   // size, PNG
};

// The sizes in which the icons come, in pixels.
inline constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// The name of the desktop entry, the AppStream id and the program icon's name.
inline constexpr const char* kApplicationId = "org.vorbel.vorbel";

// The registration of layout files (".vrb") for the program at program_path;
// with `thumbnailer`, that program (the `vorbel` command line) also writes
// their thumbnails.
FileTypeRegistration LayoutFileTypeRegistration(const std::string& program_path, const FileTypeIcons& icons,
                                                bool thumbnailer = false);

// Registers layout files below dataHome ("" means DefaultDataHome()) unless
// the system registers them for this program already (an installed package,
// found along DefaultDataDirs()); then a registration written there earlier
// is removed, so that it neither shadows the package's nor outlives it. Runs
// at every start, so a moved program rewrites its path. Silent on every
// failure.
bool RegisterLayoutFileType(const std::string& program_path, const std::string& dataHome, const FileTypeIcons& icons,
                            const CommandRunner& runner = SpawnDetached, bool thumbnailer = false);

}  // namespace vorbel::desktop
