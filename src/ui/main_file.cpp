// The main window's file, export, exit and help commands.

#include <QApplication>
#include <QTreeView>

#include "commands/export.h"
#include "ui/dialog_seam.h"
#include "ui/help_viewer.h"
#include "ui/main_form.h"
#include "ui/splash_form.h"

namespace vorbel::ui {
namespace {

const QStringList& LayoutFilters() {
  static const QStringList filters = {QStringLiteral("Vorbelkit files (*.vrb)"), QStringLiteral("All files (*)")};
  return filters;
}

const QStringList& ExportFilters() {
  static const QStringList filters = {QStringLiteral("JPEG file (*.jpg)"), QStringLiteral("Compuserve GIF file (*.gif)"),
                                      QStringLiteral("Bitmap file (*.bmp)"), QStringLiteral("All files (*)")};
  return filters;
}

// Shows the hourglass from construction to destruction, so also when an
// error leaves the scope.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

void TMainForm::LoadLayoutFile(const std::string& fileName) {
  const BusyCursor busy;
  commands_.OpenFile(fileName);
}

std::optional<std::string> TMainForm::OpenDialog() {
  FileRequest request;
  request.title = QStringLiteral("Open");
  request.filters = LayoutFilters();
  request.defaultSuffix = QStringLiteral("vrb");
  request.startIn = OpenDialogFileName;
  const std::optional<QString> name = Dialogs().OpenFileName(this, request);
  if (!name) return std::nullopt;
  OpenDialogFileName = *name;
  return name->toStdString();
}

std::optional<std::string> TMainForm::SaveVRBDialog() {
  FileRequest request;
  request.title = QStringLiteral("Save As");
  request.filters = LayoutFilters();
  request.defaultSuffix = QStringLiteral("vrb");
  request.startIn = SaveVRBDialogFileName;
  request.confirmOverwrite = true;
  const std::optional<QString> name = Dialogs().SaveFileName(this, request);
  if (!name) return std::nullopt;
  SaveVRBDialogFileName = *name;
  return name->toStdString();
}

void TMainForm::tbtnNewClick() {
  Guarded([this] { commands_.New(); });
}

void TMainForm::tbtnOpenClick() {
  // The dialog shows the ordinary cursor; the hourglass is up while loading.
  const std::optional<std::string> fileName = OpenDialog();
  if (!fileName) return;
  Guarded([&] { LoadLayoutFile(*fileName); });
}

void TMainForm::tbtnSaveClick() {
  Guarded([this] { commands_.Save(); });
}

void TMainForm::Saveas1Click() {
  Guarded([this] { commands_.SaveAs(); });
}

void TMainForm::tbtnExportClick() {
  FileRequest request;
  request.title = QStringLiteral("Export");
  request.filters = ExportFilters();
  request.defaultSuffix = QStringLiteral("jpg");
  request.startIn = SaveDialogFileName;
  request.confirmOverwrite = true;
  const std::optional<QString> name = Dialogs().SaveFileName(this, request);
  if (!name) return;
  SaveDialogFileName = *name;
  // Let the parts of the window the dialog covered repaint (the preview's
  // repaint is a render pass) before the pixels are taken.
  QApplication::processEvents();
  // The format follows the name's extension alone, not the filter chosen.
  Guarded([&] { commands::ExportButton(doc_, renderer_, name->toStdString()); });
}

void TMainForm::Export1Click() { tbtnExport->trigger(); }

void TMainForm::Exit1Click() { close(); }

TfrmSplash* TMainForm::Splash() const { return frmSplash; }

void TMainForm::SetSplash(TfrmSplash* splash) { frmSplash = splash; }

void TMainForm::About1Click() {
  if (!frmSplash) frmSplash = new TfrmSplash(this);
  // The splash frees itself when it closes; frmSplash then becomes null.
  Dialogs().Exec(*frmSplash);
}

HelpViewer* TMainForm::Viewer() {
  if (help_file_.isEmpty()) return nullptr;
  if (!help_viewer_) {
    auto* viewer = new HelpViewer(this);
    if (!viewer->LoadFile(help_file_)) {
      Dialogs().ShowError(this, viewer->LastError());
      delete viewer;
      return nullptr;
    }
    help_viewer_ = viewer;
  }
  return help_viewer_;
}

void TMainForm::Contents1Click() {
  // Without a help file the command does nothing.
  if (HelpViewer* viewer = Viewer()) viewer->ShowContents();
}

void TMainForm::Search1Click() {
  if (HelpViewer* viewer = Viewer()) viewer->ShowIndex();
}

void TMainForm::ContextHelp() {
  HelpViewer* viewer = Viewer();
  if (!viewer) return;
  const bool inList = lvItems->hasFocus() || lvItems->isAncestorOf(QApplication::focusWidget());
  if (!viewer->ShowContext(inList ? kLayerListHelpContext : kHelpContext)) viewer->ShowContents();
}

}  // namespace vorbel::ui
