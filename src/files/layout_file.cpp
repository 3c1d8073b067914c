#include "files/layout_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "document/ascii_case.h"
#include "files/atomic_file.h"
#include "files/ini_writer.h"

namespace vorbel {
namespace {

constexpr std::string_view kButtonSection = "Button";
constexpr std::string_view kLayerSectionPrefix = "Layer";
// Type of a layer section that holds no layer.
constexpr std::string_view kNoLayerType = "*";

// The number i of a section named "Layer" + i, i written in decimal without
// leading zeros (letter case of "Layer" aside); nullopt for any other name.
std::optional<std::int64_t> LayerNumber(std::string_view name) {
  const std::size_t prefix = kLayerSectionPrefix.size();
  // Ten digits hold every 32-bit count.
  if (name.size() <= prefix || name.size() > prefix + 10) return std::nullopt;
  if (!EqualsIgnoringAsciiCase(name.substr(0, prefix), kLayerSectionPrefix)) return std::nullopt;
  const std::string_view digits = name.substr(prefix);
  if (digits.size() > 1 && digits.front() == '0') return std::nullopt;
  std::int64_t number = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  return number;
}

class LoadingScope {
 public:
  explicit LoadingScope(ButtonDocument& doc) : doc_(doc) { doc_.SetLoading(true); }
  ~LoadingScope() { doc_.SetLoading(false); }
  LoadingScope(const LoadingScope&) = delete;
  LoadingScope& operator=(const LoadingScope&) = delete;

 private:
  ButtonDocument& doc_;
};

std::string CannotOpen(const std::string& fileName, std::string_view reason) {
  return "Cannot open file " + fileName + ": " + std::string(reason);
}

// Renames `from` to `to` unless `to` exists. True when the rename was made.
bool RenameWithoutReplacing(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the flag: a new link fails when `to` exists.
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  if (::unlink(from.c_str()) != 0) {
    ::unlink(to.c_str());
    return false;
  }
  return true;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// The file a save writes: the one a symbolic link names, else the name itself.
std::string SaveTarget(const std::string& fileName) {
  struct stat st {};
  if (::lstat(fileName.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return fileName;
  char* resolved = ::realpath(fileName.c_str(), nullptr);
  if (resolved == nullptr) return fileName;  // dangling: the link itself is replaced
  std::string target = resolved;
  std::free(resolved);
  return target;
}

}  // namespace

void ReadLayout(ButtonDocument& doc, const IniFile& ini) {
  std::int32_t layerCount = 0;
  if (const std::optional<IniFile::Section> button = ini.FindSection(kButtonSection)) {
    if (std::optional<std::int32_t> height = ini.TryReadInteger(*button, "Height")) doc.SetHeight(*height);
    if (std::optional<std::int32_t> width = ini.TryReadInteger(*button, "Width")) doc.SetWidth(*width);
    if (std::optional<std::int32_t> workArea = ini.TryReadInteger(*button, "WorkArea")) {
      doc.SetWorkAreaColor(*workArea);
    }
    layerCount = ini.ReadInteger(*button, "Layers", 0);
  }

  // One pass over the text keeps, for every layer number below the count, the
  // first section of that number, as a lookup by name finds it. Only the
  // sections that are there are visited, so a huge count costs nothing, and a
  // file repeating one section head millions of times keeps one entry.
  std::map<std::int64_t, IniFile::Section> layers;
  if (layerCount > 0) {
    ini.ForEachSection([&](const IniFile::Section& section) {
      const std::optional<std::int64_t> number = LayerNumber(section.Name());
      if (number && *number < layerCount) layers.emplace(*number, section);
    });
  }

  std::vector<LayerRow> rows;
  rows.reserve(layers.size());
  for (const auto& [number, section] : layers) {
    std::string type = ini.ReadString(section, "Type", kNoLayerType);
    if (type == kNoLayerType) continue;
    rows.push_back(LayerRow::Make(std::move(type), ini.ReadString(section, "Properties", ""),
                                  ini.ReadString(section, "X", "0"), ini.ReadString(section, "Y", "0"),
                                  ini.ReadInteger(section, "Visible", kVisibleImage)));
  }
  doc.ReplaceRows(std::move(rows));
}

std::string FormatLayout(const ButtonDocument& doc) {
  IniWriter ini;
  ini.Section(kButtonSection);
  ini.Key("Height", doc.Height());
  ini.Key("Width", doc.Width());
  ini.Key("WorkArea", doc.WorkAreaColor());
  ini.Key("Layers", doc.RowCount());
  for (int i = 0; i < doc.RowCount(); ++i) {
    const LayerRow& row = doc.Row(i);
    ini.Section(std::string(kLayerSectionPrefix) + std::to_string(i));
    ini.Key("Type", row.type);
    ini.Key("Properties", row.SubItemText(kPropertiesItem));
    ini.Key("X", row.SubItemText(kLeftItem));
    ini.Key("Y", row.SubItemText(kTopItem));
    ini.Key("Visible", row.image_index);
  }
  return ini.Take();
}

std::string ReadLayoutFileBytes(const std::string& fileName) {
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw LayoutReadError(CannotOpen(fileName, std::strerror(errno)));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};

  struct stat st {};
  if (::fstat(fd, &st) != 0) throw LayoutReadError(CannotOpen(fileName, std::strerror(errno)));
  if (!S_ISREG(st.st_mode)) throw LayoutReadError(CannotOpen(fileName, "not a regular file"));
  if (static_cast<std::uint64_t>(st.st_size) > kMaxLayoutFileSize) {
    throw LayoutReadError(CannotOpen(fileName, "the file is too large for a layout file"));
  }

  std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
  std::size_t done = 0;
  char more[4096];
  for (;;) {
    // Read what fstat announced straight into place; a file that has grown
    // since goes on through the small buffer.
    const bool inPlace = done < bytes.size();
    const ssize_t n = inPlace ? ::read(fd, bytes.data() + done, bytes.size() - done) : ::read(fd, more, sizeof more);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw LayoutReadError(CannotOpen(fileName, std::strerror(errno)));
    }
    if (n == 0) break;
    if (!inPlace) {
      if (bytes.size() + static_cast<std::size_t>(n) > kMaxLayoutFileSize) {
        throw LayoutReadError(CannotOpen(fileName, "the file is too large for a layout file"));
      }
      bytes.append(more, static_cast<std::size_t>(n));
    }
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return bytes;
}

void LoadLayout(ButtonDocument& doc, const std::string& fileName, const std::function<void()>& redraw,
                MissingLayout missing) {
  std::string bytes;
  try {
    bytes = ReadLayoutFileBytes(fileName);
  } catch (const LayoutReadError&) {
    if (missing == MissingLayout::kIsAnError) throw;
  }
  const IniFile ini(std::move(bytes));
  {
    LoadingScope loading(doc);
    ReadLayout(doc, ini);
    doc.SetDocumentFileName(fileName);
  }
  if (redraw) redraw();
}

std::string BackupFileName(std::string_view fileName) {
  const std::size_t slash = fileName.rfind('/');
  const std::size_t dot = fileName.rfind('.');
  const bool hasExtension = dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
  return std::string(hasExtension ? fileName.substr(0, dot) : fileName) + ".bak";
}

void SaveLayout(ButtonDocument& doc, const std::string& fileName) {
  const std::string text = FormatLayout(doc);
  const std::string failure = "Unable to write to " + fileName;
  const std::string target = SaveTarget(fileName);

  AtomicFile file;
  try {
    file.Open(target);
    file.Write(text.data(), text.size());
  } catch (const FileWriteError&) {
    throw FileWriteError(failure);
  }

  // The new text is complete in the temporary file; only now is the old file
  // moved aside, and it is moved back should the last step fail.
  const std::string backup = BackupFileName(target);
  const bool movedToBackup = Exists(target) && RenameWithoutReplacing(target, backup);
  try {
    file.Commit();
  } catch (const FileWriteError&) {
    if (movedToBackup) RenameWithoutReplacing(backup, target);
    throw FileWriteError(failure);
  }
  doc.SetDocumentFileName(fileName);
}

}  // namespace vorbel
