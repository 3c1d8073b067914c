#include "desktop/file_type_registration.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <optional>
#include <sstream>

#include "base/ascii_text.h"
#include "base/atomic_file.h"
#include "base/file_reader.h"
#include "base/text_encoding.h"
#include "base/translation.h"
#include "base/unexpected_error.h"

namespace vorbel::desktop {

namespace {

namespace fs = std::filesystem;

constexpr const char* kLayoutMimeType = "application/x-vorbel-layout";

// Characters that force an Exec argument into double quotes.
bool IsReservedInExec(char c) {
  switch (c) {
    case ' ': case '\t': case '\n': case '"': case '\'': case '\\': case '>': case '<':
    case '~': case '|': case '&': case ';': case '$': case '*': case '?': case '#':
    case '(': case ')': case '`':
      return true;
    default:
      return false;
  }
}

// The files a registration writes are small; a larger file in their place is
// not one of them and is replaced.
constexpr std::size_t kMaxRegisteredFileSize = std::size_t{1} << 20;

// Writes the file unless it already holds content, through a temporary file
// and a rename, so that the old or the new content is there at every moment.
// Sets changed when it wrote.
bool EnsureFile(const fs::path& path, const std::string& content, bool& changed) {
  try {
    if (base::ReadWholeFile(path.string(), kMaxRegisteredFileSize) == content) return true;
  } catch (const base::FileReadError&) {
    // Missing or unreadable: written anew.
  }
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  if (error) return false;
  try {
    base::AtomicFile file(path.string());
    file.SetMode(0644);
    file.Write(content.data(), content.size());
    file.Commit();
  } catch (const base::FileWriteError&) {
    return false;
  }
  changed = true;
  return true;
}

// Makes `link` a symbolic link to `target` unless it is one already, through
// a new link renamed over the old one.
bool EnsureLink(const fs::path& link, const std::string& target) {
  std::error_code error;
  if (fs::is_symlink(link, error) && fs::read_symlink(link, error).string() == target && !error) return true;
  fs::create_directories(link.parent_path(), error);
  if (error) return false;
  const fs::path temp = link.parent_path() / ("." + link.filename().string() + "." + std::to_string(getpid()));
  fs::remove(temp, error);
  fs::create_symlink(target, temp, error);
  if (error) return false;
  fs::rename(temp, link, error);
  if (error) {
    fs::remove(temp, error);
    return false;
  }
  return true;
}

// Whether the database a refresh tool makes is missing or older than
// `source`, a file it is made from.
bool IsStale(const fs::path& database, const fs::path& source) {
  struct stat made {};
  struct stat from {};
  if (stat(source.c_str(), &from) != 0) return false;
  if (stat(database.c_str(), &made) != 0) return true;
  if (made.st_mtim.tv_sec != from.st_mtim.tv_sec) return made.st_mtim.tv_sec < from.st_mtim.tv_sec;
  return made.st_mtim.tv_nsec < from.st_mtim.tv_nsec;
}

// The icon name of a MIME type: "application/x-vorbel-layout" gives
// "application-x-vorbel-layout".
std::string IconName(std::string mime_type) {
  for (char& c : mime_type) {
    if (c == '/') c = '-';
  }
  return mime_type;
}

// Whether the file holds `text`; a missing or unreadable file does not.
bool FileContains(const fs::path& path, const std::string& text) {
  try {
    return base::ReadWholeFile(path.string(), kMaxRegisteredFileSize).find(text) != std::string::npos;
  } catch (const base::FileReadError&) {
    return false;
  }
}

// Removes the file, if there is one; sets changed when it did.
void RemoveFile(const fs::path& path, bool& changed) {
  std::error_code error;
  if (fs::remove(path, error)) changed = true;
}

// Removes what the registration left under its former ids (see Register).
void RemoveFormerFiles(const FileTypeRegistration& r, const fs::path& home, bool& mime_changed, bool& desktop_changed) {
  const std::string type_line = "\nMimeType=" + EscapeDesktopString(r.mime_type) + ";\n";
  for (const std::string& id : r.former_application_ids) {
    if (id.empty() || id == r.application_id) continue;
    if (FileContains(home / r.DesktopEntryPath(id), type_line))
      RemoveFile(home / r.DesktopEntryPath(id), desktop_changed);
    if (FileContains(home / r.MimePackagePath(id), "<mime-type type=\"" + base::EscapeMarkup(r.mime_type) + "\">")) {
      RemoveFile(home / r.MimePackagePath(id), mime_changed);
    }
    bool unused = false;
    if (FileContains(home / r.ThumbnailerPath(id), type_line)) RemoveFile(home / r.ThumbnailerPath(id), unused);
    for (const auto& [size, png] : r.program_icons_png) {
      try {
        if (!png.empty() &&
            base::ReadWholeFile((home / r.ProgramIconPath(size, id)).string(), kMaxRegisteredFileSize) == png) {
          RemoveFile(home / r.ProgramIconPath(size, id), unused);
        }
      } catch (const base::FileReadError&) {
        // Not there, or not ours to judge: left alone.
      }
    }
    const fs::path link = home / r.ProgramLinkPath(id);
    std::error_code error;
    if (fs::is_symlink(link, error)) {
      fs::remove(link, error);
      fs::remove(link.parent_path(), error);  // removed only when empty
      fs::remove(link.parent_path().parent_path(), error);
    }
  }
}

// The file's content, or nothing when it is missing, unreadable or too large
// to be one of ours.
std::optional<std::string> ReadSmallFile(const fs::path& path) {
  try {
    return base::ReadWholeFile(path.string(), kMaxRegisteredFileSize);
  } catch (const base::FileReadError&) {
    return std::nullopt;
  }
}

// The value of the entry's TryExec key with the string escapes undone, or "".
std::string NamedProgram(const std::string& entry) {
  const std::string key = "\nTryExec=";
  const std::size_t start = entry.find(key);
  if (start == std::string::npos) return {};
  const std::size_t end = entry.find('\n', start + key.size());
  const std::string value = entry.substr(start + key.size(), end == std::string::npos ? end : end - start - key.size());
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    switch (value[++i]) {
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case 's': out += ' '; break;
      default: out += value[i];
    }
  }
  return out;
}

// Whether `program` is the installed program `installed` or one it starts:
// a program beside it, or in its <prefix>/lib/vorbel.
bool IsProgramOf(const fs::path& installed, const fs::path& program) {
  std::error_code error;
  if (fs::equivalent(installed, program, error)) return true;
  const fs::path folder = program.parent_path();
  return fs::equivalent(installed.parent_path(), folder, error) ||
         fs::equivalent(installed.parent_path() / ".." / "lib" / "vorbel", folder, error);
}

// Removes the file when `ours`; false when it was ours and stays.
bool RemoveOwnFile(const fs::path& path, bool ours, bool& changed) {
  if (!ours) return true;
  std::error_code error;
  if (fs::remove(path, error)) changed = true;
  return !error;
}

}  // namespace

std::vector<std::string> DefaultDataDirs() {
  std::vector<std::string> dirs;
  const char* value = std::getenv("XDG_DATA_DIRS");
  std::stringstream stream(value != nullptr ? value : "");
  std::string dir;
  while (std::getline(stream, dir, ':')) {
    if (!dir.empty() && dir[0] == '/') dirs.push_back(dir);
  }
  if (dirs.empty()) dirs = {"/usr/local/share/", "/usr/share/"};
  return dirs;
}

bool IsPlainExecPath(const std::string& path) {
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '%' || byte < 0x20 || byte == 0x7F) return false;
  }
  return base::IsValidUtf8(path);
}

void SpawnDetached(const std::vector<std::string>& argv) {
  if (argv.empty() || argv[0].empty()) return;
  // Everything the children need is prepared here: between fork and exec
  // only async-signal-safe calls are allowed.
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);

  // Fork twice so that the command belongs to init, never becomes our zombie,
  // and this process waits only for the short-lived middle child.
  const pid_t middle = fork();
  if (middle < 0) return;
  if (middle == 0) {
    setsid();
    const pid_t worker = fork();
    if (worker == 0) {
      const int null_fd = open("/dev/null", O_RDWR);
      if (null_fd >= 0) {
        dup2(null_fd, STDIN_FILENO);
        dup2(null_fd, STDOUT_FILENO);
        dup2(null_fd, STDERR_FILENO);
        if (null_fd > STDERR_FILENO) close(null_fd);
      }
      execv(args[0], args.data());
      _exit(127);
    }
    _exit(0);
  }
  int status = 0;
  while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
}

std::string FindProgramOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr && *path != '\0' ? path : "/usr/local/bin:/usr/bin:/bin";
  std::stringstream stream(dirs);
  std::string dir;
  while (std::getline(stream, dir, ':')) {
    if (dir.empty() || dir[0] != '/') continue;  // relative entries would depend on the working folder
    const std::string candidate = dir + "/" + name;
    struct stat info {};
    if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
  }
  return {};
}

std::string DefaultDataHome() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  std::string home_dir = home != nullptr ? home : "";
  if (home_dir.empty() || home_dir[0] != '/') {
    const passwd* entry = getpwuid(getuid());
    home_dir = entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
  }
  if (home_dir.empty() || home_dir[0] != '/') return {};
  return (fs::path(home_dir) / ".local" / "share").string();
}

std::string QuoteExecArgument(const std::string& argument) {
  bool reserved = argument.empty();
  for (const char c : argument) reserved = reserved || IsReservedInExec(c);
  std::string out;
  if (reserved) out += '"';
  for (const char c : argument) {
    if (c == '%') {
      out += "%%";
      continue;
    }
    if (reserved && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
    out += c;
  }
  if (reserved) out += '"';
  return out;
}

std::string EscapeDesktopString(const std::string& value) {
  std::string out;
  for (const char c : value) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
  return out;
}

std::string FileTypeRegistration::MimePackageXml() const {
  const std::string icon = IconName(mime_type);
  std::string xml;
  xml += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  xml += "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
  xml += "  <mime-type type=\"" + base::EscapeMarkup(mime_type) + "\">\n";
  xml += "    <comment>" + base::EscapeMarkup(description) + "</comment>\n";
  if (!sub_class_of.empty()) xml += "    <sub-class-of type=\"" + base::EscapeMarkup(sub_class_of) + "\"/>\n";
  xml += "    <icon name=\"" + base::EscapeMarkup(icon) + "\"/>\n";
  xml += "    <glob pattern=\"*." + base::EscapeMarkup(extension) + "\"/>\n";
  if (!magic.empty()) {
    xml += "    <magic priority=\"50\">\n";
    for (const std::string& start : magic) {
      xml += "      <match type=\"string\" offset=\"0\" value=\"" + base::EscapeMarkup(start) + "\"/>\n";
    }
    xml += "    </magic>\n";
  }
  xml += "  </mime-type>\n";
  xml += "</mime-info>\n";
  return xml;
}

std::string FileTypeRegistration::DesktopEntry(const std::string& program) const {
  std::string entry;
  entry += "[Desktop Entry]\n";
  entry += "Type=Application\n";
  entry += "Version=1.0\n";
  entry += "Name=" + EscapeDesktopString(application_name) + "\n";
  if (!generic_name.empty()) entry += "GenericName=" + EscapeDesktopString(generic_name) + "\n";
  if (!application_comment.empty()) entry += "Comment=" + EscapeDesktopString(application_comment) + "\n";
  entry += "Exec=" + EscapeDesktopString(QuoteExecArgument(program)) + " %f\n";
  entry += "TryExec=" + EscapeDesktopString(program) + "\n";
  entry += "Icon=" + EscapeDesktopString(application_id) + "\n";
  entry += "Terminal=false\n";
  entry += "Categories=Graphics;2DGraphics;RasterGraphics;\n";
  if (!keywords.empty()) entry += "Keywords=" + EscapeDesktopString(keywords) + "\n";
  entry += "MimeType=" + EscapeDesktopString(mime_type) + ";\n";
  return entry;
}

std::string FileTypeRegistration::ThumbnailerEntry(const std::string& program) const {
  // File managers split Exec as a shell would and then put the size, the
  // input file and the output file in place of %s, %i and %o.
  const std::string quoted = EscapeDesktopString(QuoteExecArgument(program));
  std::string entry;
  entry += "[Thumbnailer Entry]\n";
  entry += "TryExec=" + EscapeDesktopString(program) + "\n";
  entry += "Exec=" + quoted + " --thumbnail %s %i %o\n";
  entry += "MimeType=" + EscapeDesktopString(mime_type) + ";\n";
  return entry;
}

std::string FileTypeRegistration::ThumbnailerPath(const std::string& id) const {
  return "thumbnailers/" + (id.empty() ? application_id : id) + ".thumbnailer";
}

std::string FileTypeRegistration::MimePackagePath(const std::string& id) const {
  return "mime/packages/" + (id.empty() ? application_id : id) + ".xml";
}

std::string FileTypeRegistration::DesktopEntryPath(const std::string& id) const {
  return "applications/" + (id.empty() ? application_id : id) + ".desktop";
}

std::string FileTypeRegistration::DocumentIconPath(int size) const {
  const std::string dimension = std::to_string(size) + "x" + std::to_string(size);
  return "icons/hicolor/" + dimension + "/mimetypes/" + IconName(mime_type) + ".png";
}

std::string FileTypeRegistration::ScalableDocumentIconPath() const {
  return "icons/hicolor/scalable/mimetypes/" + IconName(mime_type) + ".svg";
}

std::string FileTypeRegistration::ProgramLinkPath(const std::string& id) const {
  const std::string& name = id.empty() ? application_id : id;
  return name + "/bin/" + name;
}

std::string FileTypeRegistration::ProgramIconPath(int size, const std::string& id) const {
  const std::string dimension = std::to_string(size) + "x" + std::to_string(size);
  return "icons/hicolor/" + dimension + "/apps/" + (id.empty() ? application_id : id) + ".png";
}

bool FileTypeRegistration::Register(const std::string& dataHome, const CommandRunner& runner) const {
  try {
    if (dataHome.empty() || program_path.empty() || application_id.empty() || mime_type.empty()) return false;
    const fs::path home(dataHome);
    bool mime_changed = false;
    bool desktop_changed = false;
    bool icons_changed = false;
    bool ok = EnsureFile(home / MimePackagePath(), MimePackageXml(), mime_changed);
    std::string program = program_path;
    const fs::path link = home / ProgramLinkPath();
    std::error_code error;
    if (IsPlainExecPath(program_path)) {
      if (fs::is_symlink(link, error)) fs::remove(link, error);
    } else if (IsPlainExecPath(link.string())) {
      // The entry names the link, which must be there before the entry.
      if (EnsureLink(link, program_path)) {
        program = link.string();
      } else {
        ok = false;
      }
    }
    ok = EnsureFile(home / DesktopEntryPath(), DesktopEntry(program), desktop_changed) && ok;
    // File managers read thumbnailer entries afresh: nothing to refresh.
    bool thumbnailer_changed = false;
    if (thumbnailer) ok = EnsureFile(home / ThumbnailerPath(), ThumbnailerEntry(program), thumbnailer_changed) && ok;
    for (const auto& [size, png] : document_icons_png) {
      if (size > 0 && !png.empty()) ok = EnsureFile(home / DocumentIconPath(size), png, icons_changed) && ok;
    }
    if (!document_icon_svg.empty()) {
      ok = EnsureFile(home / ScalableDocumentIconPath(), document_icon_svg, icons_changed) && ok;
    }
    RemoveFormerFiles(*this, home, mime_changed, desktop_changed);
    for (const auto& [size, png] : program_icons_png) {
      if (size > 0 && !png.empty()) ok = EnsureFile(home / ProgramIconPath(size), png, icons_changed) && ok;
    }
    if (runner) {
      if (mime_changed || IsStale(home / "mime/mime.cache", home / MimePackagePath())) {
        const std::string tool = FindProgramOnPath("update-mime-database");
        if (!tool.empty()) runner({tool, (home / "mime").string()});
      }
      if (desktop_changed || IsStale(home / "applications/mimeinfo.cache", home / DesktopEntryPath())) {
        const std::string tool = FindProgramOnPath("update-desktop-database");
        if (!tool.empty()) runner({tool, (home / "applications").string()});
      }
    }
    return ok;
  } catch (const std::bad_alloc&) {
    return false;
  } catch (...) {
    base::ReportUnexpectedError("file-type registration", "registering the layout file type");
    return false;
  }
}

std::string FileTypeRegistration::SystemDataDir(const std::vector<std::string>& dataDirs) const {
  try {
    if (program_path.empty() || mime_type.empty()) return {};
    const std::string type_line = "\nMimeType=" + EscapeDesktopString(mime_type) + ";\n";
    for (const std::string& dir : dataDirs) {
      if (dir.empty() || dir[0] != '/') continue;
      const fs::path data(dir);
      const std::optional<std::string> entry = ReadSmallFile(data / DesktopEntryPath());
      if (!entry || entry->find(type_line) == std::string::npos) continue;
      if (!FileContains(data / MimePackagePath(), "type=\"" + base::EscapeMarkup(mime_type) + "\"")) continue;
      if (thumbnailer && !FileContains(data / ThumbnailerPath(), type_line)) continue;
      const std::string named = NamedProgram(*entry);
      if (named.empty()) continue;
      const std::string installed = named.find('/') == std::string::npos ? FindProgramOnPath(named) : named;
      if (!installed.empty() && IsProgramOf(installed, program_path)) return dir;
    }
    return {};
  } catch (const std::bad_alloc&) {
    return {};
  }
}

bool FileTypeRegistration::Unregister(const std::string& dataHome, const CommandRunner& runner) const {
  try {
    if (dataHome.empty() || application_id.empty() || mime_type.empty()) return false;
    const fs::path home(dataHome);
    bool mime_changed = false;
    bool desktop_changed = false;
    bool other_changed = false;
    bool ok = true;
    if (const auto entry = ReadSmallFile(home / DesktopEntryPath())) {
      ok = RemoveOwnFile(home / DesktopEntryPath(), *entry == DesktopEntry(NamedProgram(*entry)), desktop_changed);
    }
    if (const auto entry = ReadSmallFile(home / ThumbnailerPath())) {
      ok = RemoveOwnFile(home / ThumbnailerPath(), *entry == ThumbnailerEntry(NamedProgram(*entry)), other_changed) &&
           ok;
    }
    if (const auto package = ReadSmallFile(home / MimePackagePath())) {
      ok = RemoveOwnFile(home / MimePackagePath(), *package == MimePackageXml(), mime_changed) && ok;
    }
    const auto removeIcon = [&](const fs::path& path, const std::string& content) {
      const auto icon = ReadSmallFile(path);
      if (icon && !content.empty()) ok = RemoveOwnFile(path, *icon == content, other_changed) && ok;
    };
    for (const auto& [size, png] : document_icons_png) removeIcon(home / DocumentIconPath(size), png);
    removeIcon(home / ScalableDocumentIconPath(), document_icon_svg);
    for (const auto& [size, png] : program_icons_png) removeIcon(home / ProgramIconPath(size), png);
    const fs::path link = home / ProgramLinkPath();
    std::error_code error;
    if (fs::is_symlink(link, error)) {
      ok = RemoveOwnFile(link, true, other_changed) && ok;
      fs::remove(link.parent_path(), error);  // removed only when empty
      fs::remove(link.parent_path().parent_path(), error);
    }
    RemoveFormerFiles(*this, home, mime_changed, desktop_changed);
    if (runner) {
      const std::string mime_tool = mime_changed ? FindProgramOnPath("update-mime-database") : std::string();
      if (!mime_tool.empty()) runner({mime_tool, (home / "mime").string()});
      const std::string desktop_tool = desktop_changed ? FindProgramOnPath("update-desktop-database") : std::string();
      if (!desktop_tool.empty()) runner({desktop_tool, (home / "applications").string()});
    }
    return ok;
  } catch (const std::bad_alloc&) {
    return false;
  } catch (...) {
    base::ReportUnexpectedError("file-type registration", "removing the layout file type's registration");
    return false;
  }
}

FileTypeRegistration LayoutFileTypeRegistration(const std::string& program_path, const FileTypeIcons& icons,
                                                bool thumbnailer) {
  FileTypeRegistration registration;
  registration.extension = "vrb";
  registration.mime_type = kLayoutMimeType;
  // The texts the desktop shows are translated where the package's files are
  // made (msgfmt --desktop / --xml); the per-user files stay in English.
  registration.description = VORBEL_TRANSLATABLE("Vorbel layout file");
  registration.sub_class_of = "text/plain";
  // A layout starts with its [Button] section, whatever the file is named,
  // with or without the byte-order mark that some editors write.
  registration.magic = {"[Button]", "\xEF\xBB\xBF[Button]"};
  registration.application_id = kApplicationId;
  registration.former_application_ids = {"vorbel"};
  registration.application_name = "Vorbel";
  registration.generic_name = VORBEL_TRANSLATABLE("Button Designer");
  registration.application_comment = VORBEL_TRANSLATABLE("Draw button images for web pages from layers");
  // TRANSLATORS: search words for the desktop's menus, each ended by ";".
  registration.keywords = VORBEL_TRANSLATABLE("button;web;banner;picture;GIF;PNG;");
  registration.program_path = program_path;
  registration.document_icons_png = icons.document_icons_png;
  registration.document_icon_svg = icons.document_icon_svg;
  registration.program_icons_png = icons.program_icons_png;
  registration.thumbnailer = thumbnailer;
  return registration;
}

bool RegisterLayoutFileType(const std::string& program_path, const std::string& dataHome, const FileTypeIcons& icons,
                            const CommandRunner& runner, bool thumbnailer) {
  try {
    const std::string home = dataHome.empty() ? DefaultDataHome() : dataHome;
    const FileTypeRegistration registration = LayoutFileTypeRegistration(program_path, icons, thumbnailer);
    // The data home itself may be listed among the system's folders: what we
    // wrote there is no package's.
    std::vector<std::string> system;
    for (const std::string& dir : DefaultDataDirs()) {
      std::error_code error;
      if (!fs::equivalent(dir, home, error)) system.push_back(dir);
    }
    if (!registration.SystemDataDir(system).empty()) return registration.Unregister(home, runner);
    return registration.Register(home, runner);
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace vorbel::desktop
