#include "commands/file_commands.h"

#include <sys/stat.h>

#include <utility>

#include "base/ascii_text.h"
#include "layout/layout_file.h"

namespace vorbel::commands {
namespace {

std::string CaptionFor(const std::string& fileName) { return "Vorbel - [" + fileName + "]"; }

}  // namespace

FileCommands::FileCommands(document::ButtonDocument& doc, FileDialogs& dialogs, std::function<void()> redraw,
                           document::DocumentHistory* history)
    : doc_(doc), dialogs_(dialogs), redraw_(std::move(redraw)), history_(history) {}

bool FileCommands::ConfirmDiscard() {
  if (history_ == nullptr || !history_->IsModified()) return true;
  switch (dialogs_.AskSaveChanges(DisplayName())) {
    case SaveChangesAnswer::Save: return Save();
    case SaveChangesAnswer::Discard: return true;
    case SaveChangesAnswer::Cancel: break;
  }
  return false;
}

bool FileCommands::New() {
  if (!ConfirmDiscard()) return false;
  doc_.ClearRows();
  doc_.SetSetCaptions({});
  // A new button is transparent where no layer paints.
  doc_.SetTransparencyRule(document::Transparency::Unpainted);
  doc_.SetUntitled();
  path_.reset();
  if (history_) {
    history_->Reset();
    history_->MarkSaved();
  }
  if (redraw_) redraw_();
  return true;
}

bool FileCommands::Open() {
  if (!ConfirmDiscard()) return false;
  const std::optional<std::string> fileName = dialogs_.OpenDialog();
  if (!fileName) return false;
  OpenFile(*fileName);
  return true;
}

void FileCommands::OpenFile(const std::string& fileName) {
  layout::LoadLayout(doc_, fileName, redraw_);
  path_ = fileName;
  if (history_) {
    history_->Reset();
    history_->MarkSaved();
  }
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
  if (history_) history_->MarkSaved();
}

std::string FileCommands::DisplayName() const {
  const std::string name = path_ && doc_.Caption() == CaptionFor(*path_) ? *path_ : doc_.GetDocumentFileName();
  const std::size_t slash = name.find_last_of('/');
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

}  // namespace vorbel::commands
