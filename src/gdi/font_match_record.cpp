#include "gdi/font_match_record.h"

#include <errno.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string_view>

#include "base/atomic_file.h"
#include "base/file_reader.h"
#include "base/safe_folder.h"

namespace vorbel::gdi {

namespace {

constexpr std::string_view kHeader = "vorbel font matches 2";

// A file changed less than this before the configuration was read may have
// changed after it was read, within the resolution of the file system's
// clock; a match made then is not recorded.
constexpr std::int64_t kSettleNs = 2'000'000'000;

// The environment variables that the font configuration reads, or that name
// the folders it reads. The record lives in the user's cache, so HOME is
// among them for a home shared by several accounts' HOME settings.
constexpr const char* kContextVariables[] = {
    "FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "FC_LANG", "LC_ALL", "LC_CTYPE", "LANG",
    "HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME",
};

// Text fields are written with backslash, control characters and DEL as
// escapes, so that fields never hold the tab or newline that separate them.
std::string Escape(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (byte < 0x20 || byte == 0x7F) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool Unescape(std::string_view text, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '\\') {
      out += '\\';
      ++i;
    } else if (i + 3 < text.size() && text[i + 1] == 'x' && HexDigit(text[i + 2]) >= 0 && HexDigit(text[i + 3]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 2]) * 16 + HexDigit(text[i + 3]));
      i += 3;
    } else {
      return false;
    }
  }
  return true;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (std::size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1) {
    fields.push_back(line.substr(start, tab - start));
  }
  fields.push_back(line.substr(start));
  return fields;
}

template <typename T>
bool ParseNumber(std::string_view text, T& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty();
}

// A stamp as one field: "-" for a missing path, else
// device:inode:size:mtime:ctime.
std::string FormatStamp(const FileStamp& s) {
  if (!s.exists) return "-";
  return std::to_string(s.device) + ":" + std::to_string(s.inode) + ":" + std::to_string(s.size) + ":" +
         std::to_string(s.mtimeNs) + ":" + std::to_string(s.ctimeNs);
}

bool ParseStamp(std::string_view text, FileStamp& s) {
  s = FileStamp{};
  if (text == "-") return true;
  std::string_view parts[5];
  for (int i = 0; i < 5; ++i) {
    const std::size_t colon = text.find(':');
    if ((colon == std::string_view::npos) != (i == 4)) return false;
    parts[i] = text.substr(0, colon);
    text = colon == std::string_view::npos ? std::string_view() : text.substr(colon + 1);
  }
  s.exists = true;
  return ParseNumber(parts[0], s.device) && ParseNumber(parts[1], s.inode) && ParseNumber(parts[2], s.size) &&
         ParseNumber(parts[3], s.mtimeNs) && ParseNumber(parts[4], s.ctimeNs);
}

// FNV-1a, 64 bits: notices damage that leaves the lines well formed.
std::uint64_t Checksum(std::string_view text) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ull;
  }
  return hash;
}

// Whether path names a file inside folder, as written: absolute, with no
// empty, "." or ".." part that could lead out of it.
bool LiesIn(const std::string& path, const std::string& folder) {
  if (folder.empty() || folder.front() != '/' || path.size() <= folder.size() + 1 ||
      path.compare(0, folder.size(), folder) != 0 || (folder.back() != '/' && path[folder.size()] != '/')) {
    return false;
  }
  return path.find("//") == std::string::npos && path.find("/./") == std::string::npos &&
         path.find("/../") == std::string::npos && !path.ends_with("/.") && !path.ends_with("/..");
}

// The stamp of the file at path as opened for reading, when it is a regular
// file: opened without waiting, so that a FIFO or device in a font's place
// is judged before anything waits on it or acts on it.
std::optional<FileStamp> RegularFileStamp(const std::string& path) {
  const base::UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  struct stat info {};
  if (!fd.Valid() || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return FileStamp::From(info);
}

bool Settled(const FileStamp& s, std::int64_t loadedAtNs) {
  return !s.exists || (s.mtimeNs < loadedAtNs - kSettleNs && s.ctimeNs < loadedAtNs - kSettleNs);
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos || slash == 0 ? std::string() : path.substr(0, slash);
}

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

// Makes the folders of path that are missing, each readable by the owner only
// as cache folders should be.
bool MakeFolders(const std::string& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  const std::string parent = FolderOf(folder);
  if (!parent.empty() && !MakeFolders(parent)) return false;
  return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

// Replaces path with text, whole or not at all, readable by the user alone,
// in a folder of the user's own that no one else may write; a link of the
// record's name is replaced, never followed. No fsync: a record lost to a
// power failure is only made again.
bool ReplaceFile(const std::string& path, const std::string& text) {
  const std::string folder = FolderOf(path);
  if (folder.empty() || !MakeFolders(folder)) return false;
  try {
    base::AtomicFile file;
    file.SetReplaceLinks(true);
    file.SetPrivateFolder(true);
    file.Open(path);
    file.SetDurable(false);
    file.SetMode(0600);
    file.Write(text.data(), text.size());
    file.Commit();
    return true;
  } catch (const base::FileWriteError&) {
    return false;
  }
}

}  // namespace

FileStamp FileStamp::Of(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  return From(info);
}

FileStamp FileStamp::From(const struct stat& info) {
  FileStamp s;
  s.exists = true;
  s.device = info.st_dev;
  s.inode = info.st_ino;
  s.size = static_cast<std::uint64_t>(info.st_size);
  s.mtimeNs = std::int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec;
  s.ctimeNs = std::int64_t{info.st_ctim.tv_sec} * 1'000'000'000 + info.st_ctim.tv_nsec;
  return s;
}

FontMatchRecord::FontMatchRecord(std::string file, std::string context)
    : file_(std::move(file)), context_(std::move(context)) {}

void FontMatchRecord::Load() {
  loaded_ = true;
  bool valid = false;
  // Only a folder of the user's own that no one else may write is trusted
  // with the record; in any other no record is read or written.
  std::string refusal;
  const base::UniqueFd folder = base::OpenFolderSafely(FolderOf(file_), refusal);
  if (folder.Valid() && !base::IsPrivateFolder(folder.Get())) {
    file_.clear();
  } else if (folder.Valid()) {
    try {
      valid = Parse(base::ReadWholeFileIn(folder.Get(), NameOf(file_), kMaxFileBytes, file_));
    } catch (const base::FileReadError&) {
      // Missing, unreadable, too large or no regular file: no record.
    }
  } else if (!refusal.empty()) {
    file_.clear();
  }
  for (std::size_t i = 0; valid && i < configuration_.size(); ++i) {
    valid = FileStamp::Of(configuration_[i].first) == configuration_[i].second;
  }
  if (!valid) Discard();
}

// The file is lines of tab-separated fields:
//   vorbel font matches 1
//   context  <context>
//   config   <stamp>  <path>                          (any number)
//   folder   <path>                                   (any number: the font folders,
//                                                      each among the config paths)
//   face     <name>                                   (any number, each followed by
//   font     <stamp>  <index>  <family>  <path>        its candidates)
//   end      <checksum of everything before this line, hexadecimal>
// A record without that last line was cut short, one whose checksum differs
// was damaged; neither is used.
bool FontMatchRecord::Parse(const std::string& text) {
  configuration_.clear();
  font_folders_.clear();
  entries_.clear();
  const std::size_t endLine = text.rfind("\nend\t");
  if (endLine == std::string::npos || text.back() != '\n') return false;
  std::uint64_t checksum = 0;
  const std::string_view stored = std::string_view(text).substr(endLine + 5, text.size() - endLine - 6);
  const auto [ptr, ec] = std::from_chars(stored.data(), stored.data() + stored.size(), checksum, 16);
  if (ec != std::errc() || ptr != stored.data() + stored.size() || stored.empty() ||
      checksum != Checksum(std::string_view(text).substr(0, endLine + 1))) {
    return false;
  }
  std::string_view rest = std::string_view(text).substr(0, endLine + 1);
  bool contextSeen = false;
  for (bool first = true; !rest.empty(); first = false) {
    const std::size_t newline = rest.find('\n');
    const std::string_view line = rest.substr(0, newline);
    rest.remove_prefix(newline + 1);
    if (first) {
      if (line != kHeader) return false;
      continue;
    }
    const auto fields = SplitFields(line);
    const std::string_view kind = fields[0];
    std::string a;
    std::string b;
    if (kind == "context" && fields.size() == 2 && !contextSeen) {
      if (!Unescape(fields[1], a) || a != context_) return false;
      contextSeen = true;
    } else if (kind == "config" && fields.size() == 3 && entries_.empty()) {
      FileStamp stamp;
      if (!ParseStamp(fields[1], stamp) || !Unescape(fields[2], a)) return false;
      configuration_.emplace_back(std::move(a), stamp);
    } else if (kind == "folder" && fields.size() == 2 && entries_.empty()) {
      if (!Unescape(fields[1], a) ||
          std::none_of(configuration_.begin(), configuration_.end(), [&](const auto& c) { return c.first == a; })) {
        return false;
      }
      font_folders_.push_back(std::move(a));
    } else if (kind == "face" && fields.size() == 2) {
      if (!Unescape(fields[1], a) || entries_.size() >= kMaxFaces) return false;
      entries_.push_back({std::move(a), {}, {}});
    } else if (kind == "font" && fields.size() == 5 && !entries_.empty()) {
      FontFileRef ref;
      FileStamp stamp;
      if (!ParseStamp(fields[1], stamp) || !stamp.exists || !ParseNumber(fields[2], ref.index) ||
          !Unescape(fields[3], b) || !Unescape(fields[4], a)) {
        return false;
      }
      ref.family = std::move(b);
      ref.path = std::move(a);
      entries_.back().candidates.push_back(std::move(ref));
      entries_.back().stamps.push_back(stamp);
    } else {
      return false;
    }
  }
  return contextSeen;
}

std::string FontMatchRecord::Serialize() const {
  std::string text(kHeader);
  text += "\ncontext\t" + Escape(context_) + "\n";
  for (const auto& [path, stamp] : configuration_) text += "config\t" + FormatStamp(stamp) + "\t" + Escape(path) + "\n";
  for (const std::string& folder : font_folders_) text += "folder\t" + Escape(folder) + "\n";
  for (const Entry& entry : entries_) {
    text += "face\t" + Escape(entry.face) + "\n";
    for (std::size_t i = 0; i < entry.candidates.size(); ++i) {
      const FontFileRef& ref = entry.candidates[i];
      text += "font\t" + FormatStamp(entry.stamps[i]) + "\t" + std::to_string(ref.index) + "\t" + Escape(ref.family) +
              "\t" + Escape(ref.path) + "\n";
    }
  }
  char checksum[17];
  const auto end = std::to_chars(checksum, checksum + sizeof checksum, Checksum(text), 16).ptr;
  return text.append("end\t").append(checksum, end).append(1, '\n');
}

std::optional<std::vector<FontFileRef>> FontMatchRecord::Find(const std::string& face) {
  if (file_.empty()) return std::nullopt;
  if (!loaded_) Load();
  const auto entry = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.face == face; });
  // A match without a font is never recorded: it is left to the configuration.
  if (entry == entries_.end() || entry->candidates.empty()) return std::nullopt;
  // A candidate is used only as the regular file it was, in one of the font
  // folders. A record that names anything else is dropped whole and made
  // anew by the full match that follows.
  for (std::size_t i = 0; i < entry->candidates.size(); ++i) {
    const std::string& path = entry->candidates[i].path;
    const bool inFolder = std::any_of(font_folders_.begin(), font_folders_.end(),
                                      [&](const std::string& folder) { return LiesIn(path, folder); });
    const std::optional<FileStamp> stamp = inFolder ? RegularFileStamp(path) : std::nullopt;
    if (!stamp || *stamp != entry->stamps[i]) {
      Discard();
      return std::nullopt;
    }
  }
  return entry->candidates;
}

void FontMatchRecord::Discard() {
  configuration_.clear();
  font_folders_.clear();
  entries_.clear();
}

void FontMatchRecord::Remember(const std::string& face, const std::vector<FontFileRef>& candidates,
                               const std::vector<std::string>& configuration,
                               const std::vector<std::string>& fontFolders, std::int64_t loadedAtNs) {
  if (file_.empty() || candidates.empty()) return;
  if (!loaded_) Load();
  if (file_.empty()) return;
  std::vector<std::string> paths = configuration;
  paths.insert(paths.end(), fontFolders.begin(), fontFolders.end());
  std::sort(paths.begin(), paths.end());
  paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
  std::vector<std::pair<std::string, FileStamp>> now;
  now.reserve(paths.size());
  for (std::string& path : paths) {
    const FileStamp stamp = FileStamp::Of(path);
    if (!Settled(stamp, loadedAtNs)) return;
    now.emplace_back(std::move(path), stamp);
  }
  std::vector<std::string> folders = fontFolders;
  std::sort(folders.begin(), folders.end());
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
  Entry entry{face, candidates, {}};
  for (const FontFileRef& ref : candidates) {
    const std::optional<FileStamp> stamp = RegularFileStamp(ref.path);
    if (!stamp || !Settled(*stamp, loadedAtNs)) return;
    // What a later run would not accept is not recorded.
    if (std::none_of(folders.begin(), folders.end(), [&](const std::string& f) { return LiesIn(ref.path, f); })) return;
    entry.stamps.push_back(*stamp);
  }
  // Matches made under another configuration are dropped with it.
  if (now != configuration_ || folders != font_folders_) entries_.clear();
  configuration_ = std::move(now);
  font_folders_ = std::move(folders);
  std::erase_if(entries_, [&](const Entry& e) { return e.face == face; });
  if (entries_.size() >= kMaxFaces) entries_.erase(entries_.begin());
  entries_.push_back(std::move(entry));
  ReplaceFile(file_, Serialize());
}

std::string DefaultFontMatchRecordFile() {
  const char* xdg = std::getenv("XDG_CACHE_HOME");
  if (xdg != nullptr && xdg[0] == '/') return std::string(xdg) + "/vorbel/font-matches";
  const char* home = std::getenv("HOME");
  std::string folder = home != nullptr ? home : "";
  if (folder.empty() || folder[0] != '/') {
    const passwd* entry = ::getpwuid(::getuid());
    folder = entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
  }
  if (folder.empty() || folder[0] != '/') return {};
  return folder + "/.cache/vorbel/font-matches";
}

std::string FontMatchContext(int libraryVersion) {
  // The configuration's rules may test the program's name. Built by appends:
  // g++ 12 warns falsely about overlapping copies in chains of operator+.
  std::string context;
  context.append("fontconfig ").append(std::to_string(libraryVersion));
  context.append("; program ").append(program_invocation_short_name);
  for (const char* name : kContextVariables) {
    const char* value = std::getenv(name);
    context.append("; ").append(name);
    if (value != nullptr) {
      context.append(1, '=').append(value);
    } else {
      context.append(" unset");
    }
  }
  return context;
}

}  // namespace vorbel::gdi
