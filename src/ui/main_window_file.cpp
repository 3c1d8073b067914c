// The main window's file, export, exit and help commands.

#include <QApplication>
#include <QTreeView>

#include "commands/export.h"
#include "ui/about_box.h"
#include "ui/dialog_seam.h"
#include "ui/help_viewer.h"
#include "ui/main_window.h"
#include "ui/splash_window.h"

namespace vorbel::ui {
namespace {

const QStringList& LayoutFilters() {
  static const QStringList filters = {QStringLiteral("Vorbelkit files (*.vrb)"), QStringLiteral("All files (*)")};
  return filters;
}

const QStringList& ExportFilters() {
  static const QStringList filters = {QStringLiteral("JPEG file (*.jpg)"),
                                      QStringLiteral("Compuserve GIF file (*.gif)"),
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

void MainWindow::LoadLayoutFile(const std::string& fileName) {
  const BusyCursor busy;
  commands_.OpenFile(fileName);
}

std::optional<std::string> MainWindow::OpenDialog() {
  FileRequest request;
  request.title = QStringLiteral("Open");
  request.filters = LayoutFilters();
  request.default_suffix = QStringLiteral("vrb");
  request.start_in = open_file_name_;
  const std::optional<QString> name = Dialogs().OpenFileName(this, request);
  if (!name) return std::nullopt;
  open_file_name_ = *name;
  return name->toStdString();
}

std::optional<std::string> MainWindow::SaveLayoutDialog() {
  FileRequest request;
  request.title = QStringLiteral("Save As");
  request.filters = LayoutFilters();
  request.default_suffix = QStringLiteral("vrb");
  request.start_in = save_layout_file_name_;
  request.confirm_overwrite = true;
  const std::optional<QString> name = Dialogs().SaveFileName(this, request);
  if (!name) return std::nullopt;
  save_layout_file_name_ = *name;
  return name->toStdString();
}

void MainWindow::NewDocument() {
  Guarded([this] { commands_.New(); });
}

void MainWindow::Open() {
  // The dialog shows the ordinary cursor; the hourglass is up while loading.
  const std::optional<std::string> fileName = OpenDialog();
  if (!fileName) return;
  Guarded([&] { LoadLayoutFile(*fileName); });
}

void MainWindow::Save() {
  Guarded([this] { commands_.Save(); });
}

void MainWindow::SaveAs() {
  Guarded([this] { commands_.SaveAs(); });
}

void MainWindow::Export() {
  FileRequest request;
  request.title = QStringLiteral("Export");
  request.filters = ExportFilters();
  request.default_suffix = QStringLiteral("jpg");
  request.start_in = export_file_name_;
  request.confirm_overwrite = true;
  const std::optional<QString> name = Dialogs().SaveFileName(this, request);
  if (!name) return;
  export_file_name_ = *name;
  // Let the parts of the window the dialog covered repaint (the preview's
  // repaint is a render pass) before the pixels are taken.
  QApplication::processEvents();
  // The format follows the name's extension alone, not the filter chosen.
  Guarded([&] { commands::ExportButton(doc_, renderer_, name->toStdString()); });
}

void MainWindow::Exit() { close(); }

SplashWindow* MainWindow::Splash() const { return splash_; }

void MainWindow::SetSplash(SplashWindow* splash) { splash_ = splash; }

AboutBox* MainWindow::SecondAboutBox() const { return about_box_; }

void MainWindow::SetSecondAboutBox(AboutBox* box) { about_box_ = box; }

void MainWindow::About() {
  if (!splash_) splash_ = new SplashWindow(this);
  // The splash frees itself when it closes; splash_ then becomes null.
  Dialogs().Exec(*splash_);
}

HelpViewer* MainWindow::HelpWindow() {
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

void MainWindow::ShowHelpContents() {
  // Without a help file the command does nothing.
  if (HelpViewer* viewer = HelpWindow()) viewer->ShowContents();
}

void MainWindow::SearchHelp() {
  if (HelpViewer* viewer = HelpWindow()) viewer->ShowIndex();
}

void MainWindow::ContextHelp() {
  HelpViewer* viewer = HelpWindow();
  if (!viewer) return;
  const bool inList = layer_list_->hasFocus() || layer_list_->isAncestorOf(QApplication::focusWidget());
  if (!viewer->ShowContext(inList ? kLayerListHelpContext : kHelpContext)) viewer->ShowContents();
}

}  // namespace vorbel::ui
