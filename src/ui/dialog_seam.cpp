#include "ui/dialog_seam.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

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
  if (mode == QFileDialog::AcceptSave) {
    // A name typed without an extension gets that of the filter shown.
    if (!request.filters.isEmpty()) dialog->setDefaultSuffix(FilterExtension(request.filters.front()));
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog, request](const QString& filter) {
      const QString extension = FilterExtension(filter);
      dialog->setDefaultSuffix(extension.isEmpty() ? request.default_suffix : extension);
    });
  }
  dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
  if (!request.start_in.isEmpty()) dialog->selectFile(request.start_in);
  return dialog;
}

std::optional<FileChoice> RunFileDialog(QFileDialog* dialog) {
  std::optional<FileChoice> result;
  if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
    result = FileChoice{dialog->selectedFiles().front(), dialog->selectedNameFilter()};
  }
  delete dialog;
  return result;
}

class RealDialogs final : public DialogSeam {
 public:
  int Exec(QDialog& dialog) override { return dialog.exec(); }
  std::optional<QString> OpenFileName(QWidget* parent, const FileRequest& request) override {
    const std::optional<FileChoice> choice = RunFileDialog(MakeFileDialog(parent, request, QFileDialog::AcceptOpen));
    return choice ? std::optional<QString>(choice->path) : std::nullopt;
  }
  std::optional<FileChoice> SaveFileName(QWidget* parent, const FileRequest& request) override {
    return RunFileDialog(MakeFileDialog(parent, request, QFileDialog::AcceptSave));
  }
  std::optional<QString> FolderName(QWidget* parent, const QString& title, const QString& start_in) override {
    QFileDialog dialog(parent, title, start_in);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
  }
  bool AskYesNo(QWidget* parent, const QString& title, const QString& text) override {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
  }
  commands::SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& name) override {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(),
                    QCoreApplication::translate("vorbel::ui::Dialog", "Save changes to %1?").arg(name),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setInformativeText(
        QCoreApplication::translate("vorbel::ui::Dialog", "Your changes will be lost if you don't save them."));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
      case QMessageBox::Save: return commands::SaveChangesAnswer::Save;
      case QMessageBox::Discard: return commands::SaveChangesAnswer::Discard;
      default: return commands::SaveChangesAnswer::Cancel;
    }
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

QString FilterExtension(const QString& filter) {
  static const QRegularExpression kOnePattern(QStringLiteral("\\(\\*\\.([A-Za-z0-9]+)\\)$"));
  const QRegularExpressionMatch match = kOnePattern.match(filter);
  return match.hasMatch() ? match.captured(1) : QString();
}

QString WithFilterExtension(const QString& path, const QString& filter) {
  const QString extension = FilterExtension(filter);
  if (extension.isEmpty() || QFileInfo(path).fileName().contains(u'.')) return path;
  return path + u'.' + extension;
}

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
    return QCoreApplication::translate("vorbel::ui::Dialog", "Unknown error");
  }
}

DialogSeam& Dialogs() { return current ? *current : Real(); }

void SetDialogSeam(DialogSeam* seam) { current = seam; }

}  // namespace vorbel::ui
