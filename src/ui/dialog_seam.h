#pragma once
// Everything modal that the windows ask of the user goes through one seam, so
// that tests can answer in place of a person: dialogs run modally, file choosers,
// message boxes and the alert sound. The application installs the real one;
// tests install a scripted one with SetDialogSeam.

#include <QColor>
#include <QFileDialog>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

#include "commands/file_commands.h"

class QDialog;
class QWidget;

namespace vorbel::ui {

// What a file chooser is asked for. `filters` are Qt name filters
// ("Vorbelkit files (*.vrb)"), `selected_filter` the one shown first (the
// first filter when empty or not among them); `default_suffix` has no
// leading dot; `start_in` is the folder or file name to start from (may be
// empty).
struct FileRequest {
  QString title;
  QStringList filters;
  QString selected_filter;
  QString default_suffix;
  QString start_in;
  bool confirm_overwrite = false;  // save choosers only
};

// A name chosen in a save chooser, and the filter selected when it was chosen.
struct FileChoice {
  QString path;
  QString filter;
};

// The extension a name filter stands for, without the dot: "gif" for
// "Compuserve GIF file (*.gif)"; empty for a filter of several patterns or of
// "*".
QString FilterExtension(const QString& filter);
// `path` with the extension of `filter` added when its file name has no
// extension of its own ("button" with the GIF filter gives "button.gif").
QString WithFilterExtension(const QString& path, const QString& filter);

// The file chooser of a request, not yet shown. It opens inside the folder
// `start_in` names: in that folder when it is one, else in the folder of the
// file named, with the file's name typed in. A folder that does not exist is
// replaced by the nearest one above it that does, so the name typed in is
// always a name alone, never a path.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileRequest& request, QFileDialog::AcceptMode mode);

class DialogSeam {
 public:
  virtual ~DialogSeam() = default;
  // Runs `dialog` modally; returns QDialog::Accepted or QDialog::Rejected.
  virtual int Exec(QDialog& dialog) = 0;
  // A file name chosen for opening, or nothing when cancelled. By default
  // the chooser of MakeFileDialog, run through Exec.
  virtual std::optional<QString> OpenFileName(QWidget* parent, const FileRequest& request);
  // A file name chosen for saving and the filter it was chosen with. A save
  // chooser adds the extension of the selected filter to a name typed
  // without one. By default the chooser of MakeFileDialog, run through Exec.
  virtual std::optional<FileChoice> SaveFileName(QWidget* parent, const FileRequest& request);
  // "Other colour…" of the colour boxes: a colour chosen in the platform's
  // colour dialog (run through Exec), starting from `initial`; nothing when
  // cancelled.
  virtual std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial);
  // A folder chosen (existing, or made in the chooser), starting in
  // `start_in`; nothing when cancelled.
  virtual std::optional<QString> FolderName(QWidget* parent, const QString& title, const QString& start_in) = 0;
  // A question with Yes (the default) and No; true for Yes.
  virtual bool AskYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
  // "Save changes to NAME?" with Save (the default), Discard and Cancel (also
  // Esc and the close box).
  virtual commands::SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& name) = 0;
  // The application's standard error box: the error's text, the program goes on.
  virtual void ShowError(QWidget* parent, const QString& text) = 0;
  // The system's question alert sound.
  virtual void Beep() = 0;
};

// The text of the exception being handled, for the error box; call it only
// inside a catch block. The program's errors and std::bad_alloc are failures
// a command may meet; any other exception is a programming error and goes to
// base::ReportUnexpectedError first (which ends test builds).
QString CaughtErrorText();

// The seam in use: the real dialogs unless a test installed another.
DialogSeam& Dialogs();
// Installs `seam` (not owned; nullptr restores the real dialogs).
void SetDialogSeam(DialogSeam* seam);

}  // namespace vorbel::ui
