#pragma once
// Everything modal that the windows ask of the user goes through one seam, so
// that tests can answer in place of a person: dialogs run modally, file choosers,
// message boxes and the alert sound. The application installs the real one;
// tests install a scripted one with SetDialogSeam.

#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QWidget;

namespace vorbel::ui {

// What a file chooser is asked for. `filters` are Qt name filters
// ("Vorbelkit files (*.vrb)"), the first one selected; `default_suffix` has no
// leading dot; `start_in` is the folder or file name to start from (may be
// empty).
struct FileRequest {
  QString title;
  QStringList filters;
  QString default_suffix;
  QString start_in;
  bool confirm_overwrite = false;  // save choosers only
};

class DialogSeam {
 public:
  virtual ~DialogSeam() = default;
  // Runs `dialog` modally; returns QDialog::Accepted or QDialog::Rejected.
  virtual int Exec(QDialog& dialog) = 0;
  // A file name chosen for opening or saving, or nothing when cancelled.
  virtual std::optional<QString> OpenFileName(QWidget* parent, const FileRequest& request) = 0;
  virtual std::optional<QString> SaveFileName(QWidget* parent, const FileRequest& request) = 0;
  // A question with Yes (the default) and No; true for Yes.
  virtual bool AskYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
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
