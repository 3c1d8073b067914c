#include "ui/dialog_seam.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

#include <exception>
#include <new>

#include "base/error.h"
#include "base/unexpected_error.h"
#include "controls/color_combo_box.h"

namespace vorbel::ui {
namespace {

class RealDialogs final : public DialogSeam {
 public:
  int Exec(QDialog& dialog) override { return dialog.exec(); }
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

// Every colour box asks through the seam in use.
[[maybe_unused]] const bool kColorChooserInstalled = [] {
  controls::ColorComboBox::SetColorChooser(
      [](QWidget* parent, const QColor& initial) { return Dialogs().ChooseColor(parent, initial); });
  return true;
}();

// The nearest folder at or above `folder` that exists; the home folder when
// none does.
QString ExistingFolder(const QString& folder) {
  QString path = QDir::cleanPath(QDir(folder).absolutePath());
  while (!QFileInfo(path).isDir()) {
    const QString parent = QFileInfo(path).absolutePath();
    if (parent == path) return QDir::homePath();
    path = parent;
  }
  return path;
}

}  // namespace

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileRequest& request, QFileDialog::AcceptMode mode) {
  auto dialog = std::make_unique<QFileDialog>(parent, request.title);
  dialog->setAcceptMode(mode);
  dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
  dialog->setNameFilters(request.filters);
  const QString shown = request.filters.contains(request.selected_filter) ? request.selected_filter
                        : request.filters.isEmpty()                       ? QString()
                                                                          : request.filters.front();
  if (!shown.isEmpty()) dialog->selectNameFilter(shown);
  dialog->setDefaultSuffix(request.default_suffix);
  if (mode == QFileDialog::AcceptSave) {
    // A name typed without an extension gets that of the filter shown.
    const QString extension = FilterExtension(shown);
    if (!extension.isEmpty()) dialog->setDefaultSuffix(extension);
    QFileDialog* raw = dialog.get();
    QObject::connect(raw, &QFileDialog::filterSelected, raw, [raw, request](const QString& filter) {
      const QString chosen = FilterExtension(filter);
      raw->setDefaultSuffix(chosen.isEmpty() ? request.default_suffix : chosen);
    });
  }
  if (!request.start_in.isEmpty()) {
    const QFileInfo start(request.start_in);
    if (start.isDir()) {
      dialog->setDirectory(start.absoluteFilePath());
    } else {
      dialog->setDirectory(ExistingFolder(start.absolutePath()));
      if (!start.fileName().isEmpty()) dialog->selectFile(start.fileName());
    }
  }
  return dialog;
}

std::optional<QString> DialogSeam::OpenFileName(QWidget* parent, const FileRequest& request) {
  const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(parent, request, QFileDialog::AcceptOpen);
  if (Exec(*dialog) != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  return dialog->selectedFiles().front();
}

std::optional<FileChoice> DialogSeam::SaveFileName(QWidget* parent, const FileRequest& request) {
  const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(parent, request, QFileDialog::AcceptSave);
  if (Exec(*dialog) != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  return FileChoice{dialog->selectedFiles().front(), dialog->selectedNameFilter()};
}

std::optional<QColor> DialogSeam::ChooseColor(QWidget* parent, const QColor& initial) {
  QColorDialog dialog(initial, parent);
  dialog.setObjectName(QStringLiteral("colorDialog"));
  if (Exec(dialog) != QDialog::Accepted) return std::nullopt;
  const QColor color = dialog.currentColor();
  return color.isValid() ? std::optional<QColor>(color) : std::nullopt;
}

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
