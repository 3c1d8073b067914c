#include "ui/dialog_seam.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

#include <exception>
#include <new>

#include "base/error.h"
#include "base/unexpected_error.h"

namespace vorbel::ui {
namespace {

QFileDialog* MakeFileDialog(QWidget* parent, const FileRequest& request, QFileDialog::AcceptMode mode) {
  auto* dialog = new QFileDialog(parent, request.title);
  dialog->setAcceptMode(mode);
  dialog->setNameFilters(request.filters);
  if (!request.filters.isEmpty()) dialog->selectNameFilter(request.filters.front());
  dialog->setDefaultSuffix(request.default_suffix);
  dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
  if (!request.start_in.isEmpty()) dialog->selectFile(request.start_in);
  return dialog;
}

std::optional<QString> RunFileDialog(QFileDialog* dialog) {
  std::optional<QString> result;
  if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
    result = dialog->selectedFiles().front();
  }
  delete dialog;
  return result;
}

class RealDialogs final : public DialogSeam {
 public:
  int Exec(QDialog& dialog) override { return dialog.exec(); }
  std::optional<QString> OpenFileName(QWidget* parent, const FileRequest& request) override {
    return RunFileDialog(MakeFileDialog(parent, request, QFileDialog::AcceptOpen));
  }
  std::optional<QString> SaveFileName(QWidget* parent, const FileRequest& request) override {
    return RunFileDialog(MakeFileDialog(parent, request, QFileDialog::AcceptSave));
  }
  bool AskYesNo(QWidget* parent, const QString& title, const QString& text) override {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
  }
  void ShowError(QWidget* parent, const QString& text) override {
    QMessageBox::critical(parent, QApplication::applicationName(), text);
  }
  void Beep() override { QApplication::beep(); }
};

RealDialogs& Real() {
  static RealDialogs real;
  return real;
}

DialogSeam* current = nullptr;

}  // namespace

QString CaughtErrorText() {
  try {
    throw;
  } catch (const base::Error& e) {
    return QString::fromUtf8(e.what());
  } catch (const std::bad_alloc& e) {
    return QString::fromUtf8(e.what());
  } catch (const std::exception& e) {
    base::ReportUnexpectedError("window command", "running a command of the window");
    return QString::fromUtf8(e.what());
  } catch (...) {
    base::ReportUnexpectedError("window command", "running a command of the window");
    return QStringLiteral("Unknown error");
  }
}

DialogSeam& Dialogs() { return current ? *current : Real(); }

void SetDialogSeam(DialogSeam* seam) { current = seam; }

}  // namespace vorbel::ui
