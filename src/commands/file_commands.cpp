#include "commands/file_commands.h"

#include <sys/stat.h>

#include <utility>

#include "base/ascii_text.h"
#include "layout/layout_file.h"

namespace vorbel::commands {
namespace {

std::string CaptionFor(const std::string& fileName) { return "Vorbel - [" + fileName + "]"; }

}  // namespace

FileCommands::FileCommands(document::ButtonDocument& doc, FileDialogs& dialogs, std::function<void()> redraw)
    : doc_(doc), dialogs_(dialogs), redraw_(std::move(redraw)) {}

void FileCommands::New() {
  doc_.ClearRows();
  doc_.SetUntitled();
  path_.reset();
  if (redraw_) redraw_();
}

bool FileCommands::Open() {
  const std::optional<std::string> fileName = dialogs_.OpenDialog();
  if (!fileName) return false;
  OpenFile(*fileName);
  return true;
}

void FileCommands::OpenFile(const std::string& fileName) {
  layout::LoadLayout(doc_, fileName, redraw_);
  path_ = fileName;
}

bool FileCommands::OpenStartupFile(const std::vector<std::string>& args) {
  if (args.empty()) return false;
  struct stat st {};
  if (::stat(args.front().c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  OpenFile(args.front());
  return true;
}

std::optional<std::string> FileCommands::SaveName() const {
  if (path_ && doc_.Caption() == CaptionFor(*path_)) {
    if (base::EqualsIgnoringAsciiCase(*path_, document::ButtonDocument::kUntitledFileName)) return std::nullopt;
    return path_;
  }
  std::string name = doc_.GetDocumentFileName();
  if (base::EqualsIgnoringAsciiCase(name, document::ButtonDocument::kUntitledFileName)) return std::nullopt;
  // A name the caption does not give back whole (a path with "]" in it, or
  // an empty one) is not a name to write to.
  if (name.empty() || doc_.Caption() != CaptionFor(name)) return std::nullopt;
  return name;
}

bool FileCommands::Save() {
  std::optional<std::string> fileName = SaveName();
  if (!fileName) fileName = dialogs_.SaveLayoutDialog();
  if (!fileName) return false;
  SaveTo(*fileName);
  return true;
}

bool FileCommands::SaveAs() {
  const std::optional<std::string> fileName = dialogs_.SaveLayoutDialog();
  if (!fileName) return false;
  SaveTo(*fileName);
  return true;
}

void FileCommands::SaveTo(const std::string& fileName) {
  layout::SaveLayout(doc_, fileName);
  path_ = fileName;
}

}  // namespace vorbel::commands
