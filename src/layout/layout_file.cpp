#include "layout/layout_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "base/ascii_text.h"
#include "base/atomic_file.h"
#include "base/file_name.h"
#include "base/file_reader.h"
#include "base/translation.h"
#include "document/conversion_error.h"
#include "document/property_string.h"
#include "document/value_conversion.h"
#include "layout/ini_writer.h"

namespace vorbel::layout {
namespace {

constexpr std::string_view kButtonSection = "Button";
constexpr std::string_view kLayerSectionPrefix = "Layer";
// Type of a layer section that holds no layer.
constexpr std::string_view kNoLayerType = "*";
constexpr std::string_view kSetSection = "Set";

// The number i of a section named "Layer" + i, i written in decimal without
// leading zeros (letter case of "Layer" aside); nullopt for any other name.
std::optional<std::int64_t> LayerNumber(std::string_view name) {
  const std::size_t prefix = kLayerSectionPrefix.size();
  // Ten digits hold every 32-bit count.
  if (name.size() <= prefix || name.size() > prefix + 10) return std::nullopt;
  if (!base::EqualsIgnoringAsciiCase(name.substr(0, prefix), kLayerSectionPrefix)) return std::nullopt;
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
  explicit LoadingScope(document::ButtonDocument& doc) : doc_(doc) { doc_.SetLoading(true); }
  ~LoadingScope() { doc_.SetLoading(false); }
  LoadingScope(const LoadingScope&) = delete;
  LoadingScope& operator=(const LoadingScope&) = delete;

 private:
  document::ButtonDocument& doc_;
};

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

// Only a regular file is ever moved to the backup name.
bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The LayoutReadError for a layout that could not be read.
LayoutReadError ReadFailure(const base::FileReadError& e, const std::string& name) {
  if (e.Failure() == base::FileReadFailure::TooLarge) {
    return LayoutReadError(
        base::TranslateFormat("Cannot open file %s: the file is too large for a layout file", {name}));
  }
  return LayoutReadError(e.what());
}

}  // namespace

void ReadLayout(document::ButtonDocument& doc, const IniFile& ini) {
  doc.ResetButtonSettings();
  std::int32_t layerCount = 0;
  if (const std::optional<IniFile::Section> button = ini.FindSection(kButtonSection)) {
    if (std::optional<std::int32_t> height = ini.TryReadInteger(*button, "Height")) doc.SetHeight(*height);
    if (std::optional<std::int32_t> width = ini.TryReadInteger(*button, "Width")) doc.SetWidth(*width);
    if (std::optional<std::int32_t> workArea = ini.TryReadInteger(*button, "WorkArea")) {
      doc.SetWorkAreaColor(base::Color{*workArea});
    }
    layerCount = ini.ReadInteger(*button, "Layers", 0);
  }
  // The look: keys a layout may lack take their defaults, whatever the
  // document had.
  std::optional<document::Transparency> transparency;
  std::optional<base::Color> matte;
  bool smooth = false;
  if (const std::optional<IniFile::Section> button = ini.FindSection(kButtonSection)) {
    transparency = TransparencyNamed(base::TrimBlanks(ini.ReadString(*button, "Transparency", "")));
    smooth = document::YesNoToBool(ini.ReadString(*button, "Smooth", ""));
    matte = MatteNamed(ini.ReadString(*button, "Matte", ""));
  }
  doc.SetTransparencyRule(transparency.value_or(document::Transparency::WorkAreaColor));
  doc.SetSmooth(smooth);
  doc.SetMatte(matte);

  std::vector<std::string> captions;
  if (const std::optional<IniFile::Section> set = ini.FindSection(kSetSection)) {
    const std::int32_t count = std::min(ini.ReadInteger(*set, "Captions", 0), kMaxSetCaptions);
    for (std::int32_t i = 1; i <= count; ++i) {
      const std::string caption(base::TrimBlanks(ini.ReadString(*set, "Caption" + std::to_string(i), "")));
      if (!caption.empty()) captions.push_back(caption);
    }
  }
  doc.SetSetCaptions(std::move(captions));

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

  std::vector<document::LayerRow> rows;
  rows.reserve(layers.size());
  for (const auto& [number, section] : layers) {
    std::string type = ini.ReadString(section, "Type", kNoLayerType);
    if (type == kNoLayerType) continue;
    rows.push_back(document::LayerRow::Make(std::move(type), ini.ReadString(section, "Properties", ""),
                                  ini.ReadString(section, "X", "0"), ini.ReadString(section, "Y", "0"),
                                  ini.ReadInteger(section, "Visible", document::kVisibleImage)));
  }
  doc.ReplaceRows(std::move(rows));
}

std::string FormatLayout(const document::ButtonDocument& doc) {
  IniWriter ini;
  ini.Section(kButtonSection);
  ini.Key("Height", doc.Height());
  ini.Key("Width", doc.Width());
  ini.Key("WorkArea", doc.WorkAreaColor().Value());
  ini.Key("Layers", doc.RowCount());
  if (doc.TransparencyRule() != document::Transparency::WorkAreaColor) {
    ini.Key("Transparency", TransparencyName(doc.TransparencyRule()));
  }
  if (doc.Smooth()) ini.Key("Smooth", std::string_view("Yes"));
  if (doc.Matte()) ini.Key("Matte", document::ColorToString(*doc.Matte()));
  for (int i = 0; i < doc.RowCount(); ++i) {
    const document::LayerRow& row = doc.Row(i);
    ini.Section(std::string(kLayerSectionPrefix) + std::to_string(i));
    ini.Key("Type", row.type);
    ini.Key("Properties", row.SubItemText(document::SubItem::Properties));
    ini.Key("X", row.SubItemText(document::SubItem::Left));
    ini.Key("Y", row.SubItemText(document::SubItem::Top));
    ini.Key("Visible", row.image_index);
  }
  // What reading would give back: no blanks around a caption, none empty.
  std::vector<std::string_view> captions;
  for (const std::string& caption : doc.SetCaptions()) {
    const std::string_view trimmed = base::TrimBlanks(caption);
    if (!trimmed.empty() && captions.size() < static_cast<std::size_t>(kMaxSetCaptions)) captions.push_back(trimmed);
  }
  if (!captions.empty()) {
    ini.Section(kSetSection);
    ini.Key("Captions", static_cast<std::int64_t>(captions.size()));
    for (std::size_t i = 0; i < captions.size(); ++i) ini.Key("Caption" + std::to_string(i + 1), captions[i]);
  }
  return ini.Take();
}

std::string_view TransparencyName(document::Transparency rule) {
  return rule == document::Transparency::Unpainted ? "Unpainted" : "WorkAreaColor";
}

std::optional<document::Transparency> TransparencyNamed(std::string_view name) {
  for (const document::Transparency rule : {document::Transparency::WorkAreaColor, document::Transparency::Unpainted}) {
    if (base::EqualsIgnoringAsciiCase(name, TransparencyName(rule))) return rule;
  }
  return std::nullopt;
}

std::optional<base::Color> MatteNamed(std::string_view text) {
  text = base::TrimBlanks(text);
  if (text.size() == 7 && text.front() == '#') {
    std::uint32_t rgb = 0;
    for (const char c : text.substr(1)) {
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
      if (digit < 0) return std::nullopt;
      rgb = rgb * 16 + static_cast<std::uint32_t>(digit);
    }
    return base::Color::FromPixel(base::Pixel(rgb));
  }
  try {
    return document::StringToColor(text);
  } catch (const document::ConversionError&) {
    return std::nullopt;
  }
}

void SetButtonKey(document::ButtonDocument& doc, std::string_view key, std::string_view value) {
  const auto refuse = [&] {
    return LayoutReadError(
        base::TranslateFormat("%s is no value for the button's %s", {std::string(value), std::string(key)}));
  };
  if (base::EqualsIgnoringAsciiCase(key, "Transparency")) {
    const std::optional<document::Transparency> rule = TransparencyNamed(base::TrimBlanks(value));
    if (!rule) throw refuse();
    doc.SetTransparencyRule(*rule);
  } else if (base::EqualsIgnoringAsciiCase(key, "Smooth")) {
    doc.SetSmooth(document::YesNoToBool(value));
  } else if (base::EqualsIgnoringAsciiCase(key, "Matte")) {
    if (base::TrimBlanks(value).empty()) {
      doc.SetMatte(std::nullopt);
      return;
    }
    const std::optional<base::Color> matte = MatteNamed(value);
    if (!matte) throw refuse();
    doc.SetMatte(matte);
  } else {
    throw LayoutReadError(
        base::TranslateFormat("the button has no key %s: it has Transparency, Smooth and Matte", {std::string(key)}));
  }
}

bool IsLayoutText(const IniFile& ini) {
  const std::string_view text = ini.Text();
  if (text.find('\0') != std::string_view::npos) return false;
  if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) return true;
  if (ini.FindSection(kButtonSection)) return true;
  bool hasLayer = false;
  ini.ForEachSection([&](const IniFile::Section& section) { hasLayer = hasLayer || LayerNumber(section.Name()); });
  return hasLayer;
}

void LoadLayout(document::ButtonDocument& doc, const std::string& fileName, const std::function<void()>& redraw,
                MissingLayout missing, std::size_t maxBytes) {
  std::string bytes;
  try {
    bytes = base::ReadWholeFile(fileName, maxBytes);
  } catch (const base::FileReadError& e) {
    if (missing == MissingLayout::IsAnError || e.Failure() != base::FileReadFailure::CannotOpen) {
      throw ReadFailure(e, fileName);
    }
  }
  LoadLayoutText(doc, std::move(bytes), fileName, LayoutFolderOf(fileName), redraw);
}

void LoadLayoutText(document::ButtonDocument& doc, std::string text, const std::string& name, const std::string& folder,
                    const std::function<void()>& redraw) {
  const IniFile ini(std::move(text));
  if (!IsLayoutText(ini))
    throw LayoutReadError(base::TranslateFormat("Cannot open file %s: the file is not a layout file", {name}));
  {
    LoadingScope loading(doc);
    ReadLayout(doc, ini);
    doc.SetDocumentFileName(name);
    doc.SetLayoutFolder(folder);
  }
  if (redraw) redraw();
}

void LoadLayoutFromStandardInput(document::ButtonDocument& doc, const std::string& name,
                                 const std::function<void()>& redraw, std::size_t maxBytes) {
  std::string text;
  try {
    text = base::ReadStandardInput(maxBytes, name);
  } catch (const base::FileReadError& e) {
    throw ReadFailure(e, name);
  }
  LoadLayoutText(doc, std::move(text), name, {}, redraw);
}

std::string LayoutFolderOf(const std::string& fileName) {
  std::error_code ec;
  const std::filesystem::path path = std::filesystem::absolute(fileName, ec);
  return (ec ? std::filesystem::path(fileName) : path).parent_path().string();
}

std::string BackupFileName(std::string_view fileName) {
  return std::string(base::WithoutExtension(fileName)) + ".bak";
}

void SaveLayout(document::ButtonDocument& doc, const std::string& fileName) {
  const std::string text = FormatLayout(doc);
  const std::string failure = base::TranslateFormat("Unable to write to %s", {fileName});

  base::AtomicFile file;
  try {
    file.Open(fileName);
    file.Write(text.data(), text.size());
  } catch (const base::FileWriteError& e) {
    if (e.Reason().empty()) throw base::FileWriteError(failure);
    throw base::FileWriteError(failure + ": " + e.Reason(), e.Reason());
  }

  // The new text is complete; only now is the old file moved aside, and it is
  // moved back should the last step fail. Only a file that the save replaces
  // has a backup: a device or FIFO is written, never moved, and a file written
  // in place (its folder may not be written) stays where it is.
  const std::string& target = file.Target();
  const std::string backup = BackupFileName(target);
  const bool movedToBackup = file.WriteMethod() == base::AtomicFile::Method::Replace && IsRegularFile(target) &&
                             RenameWithoutReplacing(target, backup);
  try {
    file.Commit();
  } catch (const base::FileWriteError&) {
    if (movedToBackup) RenameWithoutReplacing(backup, target);
    throw base::FileWriteError(failure);
  }
  doc.SetDocumentFileName(fileName);
  doc.SetLayoutFolder(LayoutFolderOf(fileName));
}

}  // namespace vorbel::layout
