#pragma once
// The file commands of the main window as operations on the document: New,
// Open, Save and Save as. The window supplies its file dialogs through
// FileDialogs and the render pass through the redraw callback.
//
// The document's file name is recorded in its caption, "Vorbel - [" + name +
// "]", and read back with GetDocumentFileName. A path that itself holds "]"
// cannot be read back from the caption, so the commands also remember the
// full path of the last load or save; Save never writes to a cut-off name.
//
// Given a history, the commands keep it in step: New and a load start it
// afresh, a save marks the document as saved, and New, Open and the window's
// other ways of replacing or closing a modified document ask first whether to
// save it (ConfirmDiscard).

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/button_document.h"
#include "document/document_history.h"

namespace vorbel::commands {

// The answers to "Save changes to NAME?".
enum class SaveChangesAnswer { Save, Discard, Cancel };

// The two file dialogs the commands show. Each returns the chosen file name,
// or nullopt when the user cancels.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // Asks for a layout file to open.
  virtual std::optional<std::string> OpenDialog() = 0;
  // Asks for a name to save the layout under; asks itself before a file is
  // overwritten.
  virtual std::optional<std::string> SaveLayoutDialog() = 0;
  // Asks whether to save the changes of the document `name` (its file name
  // without folders) before it is replaced or closed. Asked only with a
  // history; without an answer of its own nothing is lost: Cancel.
  virtual SaveChangesAnswer AskSaveChanges(const std::string& /*name*/) { return SaveChangesAnswer::Cancel; }
};

class FileCommands {
 public:
  // All must outlive the commands. `redraw` runs a render pass; `history`
  // may be null (no undo, and nothing is ever asked).
  FileCommands(document::ButtonDocument& doc, FileDialogs& dialogs, std::function<void()> redraw,
               document::DocumentHistory* history = nullptr);

  // Whether the document may be replaced or closed now: true when it has no
  // unsaved changes or the user discards them or saves them (Save, which may
  // ask for a name). False when the user cancels, there or in the name
  // chooser; the document then stays as it is. A failed save raises as Save
  // does, and the document stays too.
  bool ConfirmDiscard();

  // After ConfirmDiscard: removes all rows and makes the pixels no layer
  // paints transparent (the other button settings stay), names the document
  // "untitled.vrb" and redraws. False when the user cancelled.
  bool New();

  // After ConfirmDiscard, asks for a file and loads it. False, and nothing
  // changes, when the user cancels.
  bool Open();

  // Loads a named file: the start-up file and Open after its dialog. The
  // button starts from a new window's settings, as on the command line; a
  // file that does not exist or may not be opened loads as a document
  // without layers with those settings. A file that is
  // not a layout, a FIFO or device, and a file too large raise
  // layout::LayoutReadError, and the document stays as it was.
  void OpenFile(const std::string& fileName);

  // The start-up file: when the first of the program's arguments names an
  // existing file (not a folder), loads it under that name exactly as given,
  // relative or absolute, and returns true. Further arguments are ignored; a
  // first argument that names no file is ignored without a message.
  bool OpenStartupFile(const std::vector<std::string>& args);

  // Saves under the document's file name; a document that has none of its own
  // ("untitled.vrb" in any letter case, or a name the caption cannot hold)
  // asks for one first. False when the user cancels. Raises FileWriteError
  // when the file cannot be written; the caption then stays as it was.
  bool Save();

  // Asks for a name and saves under it. False when the user cancels. Raises as
  // Save does.
  bool SaveAs();

  // The name Save would write to without asking, or nullopt when it would ask.
  std::optional<std::string> SaveName() const;

  // The document's file name without its folders, as the question names it:
  // "untitled.vrb" or "home.vrb".
  std::string DisplayName() const;

 private:
  void SaveTo(const std::string& fileName);

  document::ButtonDocument& doc_;
  FileDialogs& dialogs_;
  std::function<void()> redraw_;
  document::DocumentHistory* history_;
  // The full path of the last load or save; it counts only while the caption
  // still shows it.
  std::optional<std::string> path_;
};

}  // namespace vorbel::commands
