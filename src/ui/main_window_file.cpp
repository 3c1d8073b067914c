// The main window's file, export, exit and help commands.

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTreeView>

#include "base/translation.h"
#include "commands/export.h"
#include "ui/dialog_helpers.h"
#include "ui/dialog_seam.h"
#include "ui/export_set_dialog.h"
#include "ui/help_viewer.h"
#include "ui/main_window.h"
#include "ui/splash_window.h"

namespace vorbel::ui {
namespace {

const QStringList& LayoutFilters() {
  static const QStringList filters = {QCoreApplication::translate("vorbel::ui::MainWindow", "Vorbelkit files (*.vrb)"),
                                      QCoreApplication::translate("vorbel::ui::MainWindow", "All files (*)")};
  return filters;
}

// One filter a format, with the extension the format is written with (a name
// without an extension gets it), the default format first; then all files.
QStringList ExportFilters() {
  const auto filter = [](const commands::ExportFormatInfo& row) {
    const std::string_view extension = row.extensions.front();
    return QStringLiteral("%1 (*%2)")
        .arg(QString::fromUtf8(base::Translate(row.dialog_text)),
             QString::fromLatin1(extension.data(), static_cast<qsizetype>(extension.size())));
  };
  QStringList filters{filter(commands::FormatInfo(commands::kDefaultExportFormat))};
  for (const commands::ExportFormatInfo& row : commands::ExportFormats()) {
    if (row.format != commands::kDefaultExportFormat) filters << filter(row);
  }
  filters << QCoreApplication::translate("vorbel::ui::MainWindow", "All files (*)");
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
  AddRecentFile(QString::fromStdString(fileName));
}

QString MainWindow::DocumentFolder() const {
  if (const std::optional<std::string> path = commands_.SaveName()) {
    const QFileInfo info(QString::fromStdString(*path));
    if (info.absoluteDir().exists()) return info.absolutePath();
  }
  if (!options_.documents_folder.isEmpty()) return options_.documents_folder;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return documents.isEmpty() ? QDir::homePath() : documents;
}

void MainWindow::RememberFolder(const QString& path) {
  open_folder_ = QFileInfo(path).absolutePath();
  settings_->setValue(QStringLiteral("OpenFolder"), open_folder_);
}

std::optional<std::string> MainWindow::OpenDialog() {
  FileRequest request;
  request.title = tr("Open");
  request.filters = LayoutFilters();
  request.default_suffix = QStringLiteral("vrb");
  // The last file chosen in this run, else the folder a layout was last opened
  // from, else the current layout's folder.
  request.start_in = !open_file_name_.isEmpty()                                   ? open_file_name_
                     : !open_folder_.isEmpty() && QFileInfo(open_folder_).isDir() ? open_folder_
                                                                                  : DocumentFolder();
  const std::optional<QString> name = Dialogs().OpenFileName(this, request);
  if (!name) return std::nullopt;
  open_file_name_ = *name;
  RememberFolder(*name);
  return name->toStdString();
}

std::optional<std::string> MainWindow::SaveLayoutDialog() {
  FileRequest request;
  request.title = tr("Save As");
  request.filters = LayoutFilters();
  request.default_suffix = QStringLiteral("vrb");
  // The layout's own name in its folder, or "untitled.vrb" in the documents
  // folder.
  const std::optional<std::string> current = commands_.SaveName();
  request.start_in = current ? QFileInfo(QString::fromStdString(*current)).absoluteFilePath()
                             : QDir(DocumentFolder()).filePath(QString::fromStdString(commands_.DisplayName()));
  request.confirm_overwrite = true;
  const std::optional<FileChoice> choice = Dialogs().SaveFileName(this, request);
  if (!choice) return std::nullopt;
  save_layout_file_name_ = choice->path;
  return choice->path.toStdString();
}

commands::SaveChangesAnswer MainWindow::AskSaveChanges(const std::string& name) {
  return Dialogs().AskSaveChanges(this, QString::fromStdString(name));
}

void MainWindow::NewDocument() {
  Guarded([this] { commands_.New(); });
}

void MainWindow::Open() {
  Guarded([this] {
    if (!commands_.ConfirmDiscard()) return;
    // The dialog shows the ordinary cursor; the hourglass is up while loading.
    const std::optional<std::string> fileName = OpenDialog();
    if (fileName) LoadLayoutFile(*fileName);
  });
}

void MainWindow::OpenLayout(const QString& path) {
  Guarded([&] {
    if (!commands_.ConfirmDiscard()) return;
    if (!QFileInfo(path).isFile()) {
      RemoveRecentFile(path);
      Dialogs().ShowError(this, tr("The file %1 does not exist.").arg(path));
      return;
    }
    LoadLayoutFile(path.toStdString());
  });
}

void MainWindow::Save() {
  Guarded([this] {
    if (!commands_.Save()) return;
    if (const std::optional<std::string> name = commands_.SaveName()) AddRecentFile(QString::fromStdString(*name));
  });
}

void MainWindow::SaveAs() {
  Guarded([this] {
    if (!commands_.SaveAs()) return;
    if (const std::optional<std::string> name = commands_.SaveName()) AddRecentFile(QString::fromStdString(*name));
  });
}

void MainWindow::Export() {
  FileRequest request;
  request.title = tr("Export");
  request.filters = ExportFilters();
  const std::string_view suffix = commands::FormatInfo(commands::kDefaultExportFormat).extensions.front().substr(1);
  request.default_suffix = QString::fromLatin1(suffix.data(), static_cast<qsizetype>(suffix.size()));
  // The layout's name with the extension of the format used last (kept
  // between runs; the default format's at first), in the folder of the
  // layout, with that format's filter shown.
  QString extension = settings_->value(QStringLiteral("ExportFormat")).toString();
  if (extension.isEmpty() || extension.contains(u'/')) extension = request.default_suffix;
  for (const QString& filter : request.filters) {
    if (FilterExtension(filter).compare(extension, Qt::CaseInsensitive) == 0) request.selected_filter = filter;
  }
  const QString base = QFileInfo(QString::fromStdString(commands_.DisplayName())).completeBaseName();
  request.start_in = QDir(DocumentFolder()).filePath(base + u'.' + extension);
  request.confirm_overwrite = true;
  const std::optional<FileChoice> choice = Dialogs().SaveFileName(this, request);
  if (!choice) return;
  // A name without an extension gets that of the filter selected; the format
  // then follows the extension alone.
  const QString name = WithFilterExtension(choice->path, choice->filter);
  if (name != choice->path && QFileInfo::exists(name) &&
      !Dialogs().AskYesNo(this, tr("Export"), tr("%1 already exists.\nDo you want to replace it?").arg(name))) {
    return;
  }
  export_file_name_ = name;
  const QString usedSuffix = QFileInfo(name).suffix();
  if (!usedSuffix.isEmpty()) settings_->setValue(QStringLiteral("ExportFormat"), usedSuffix.toLower());
  // Let the parts of the window the dialog covered repaint before the file is
  // written.
  QApplication::processEvents();
  bool written = false;
  Guarded([&] {
    commands::ExportButton(doc_, renderer_, name.toStdString());
    written = true;
  });
  // The preview shows the picture the export drew.
  ShowPreview(renderer_.LastResult());
  // Where the format cannot keep what the preview shows, say what became of it.
  const QString matte = MatteNote(doc_, commands::ExportFormatFor(name.toStdString()));
  if (written && !matte.isEmpty()) status_bar_->showMessage(QFileInfo(name).fileName() + QStringLiteral(": ") + matte);
}

QString MainWindow::SetChoicesKey() const {
  const std::optional<std::string> path = commands_.SaveName();
  if (!path) return QStringLiteral("untitled");
  // A path holds "/", which the settings read as groups: its hash names it.
  const QByteArray absolute = QFileInfo(QString::fromStdString(*path)).absoluteFilePath().toUtf8();
  return QString::fromLatin1(QCryptographicHash::hash(absolute, QCryptographicHash::Sha1).toHex());
}

void MainWindow::ExportSet() {
  // The choices of the layouts used last, the newest first, at most this many.
  constexpr qsizetype kKeptLayouts = 20;
  const QString key = SetChoicesKey();
  const QString name = QFileInfo(QString::fromStdString(commands_.DisplayName())).completeBaseName();
  const ExportSetChoices defaults =
      ExportSetDialog::DefaultChoices(doc_, QDir(DocumentFolder()).filePath(name + QStringLiteral("-buttons")));
  ExportSetDialog dialog(doc_, this);
  ExportSetChoices choices =
      ExportSetChoicesFromMap(settings_->value(QStringLiteral("ExportSets/") + key).toMap(), defaults);
  // The captions the layout keeps win over those of the settings: they
  // travel with the file.
  if (!doc_.SetCaptions().empty()) choices.captions = defaults.captions;
  dialog.SetChoices(choices);
  const std::optional<std::vector<std::string>> opened = dialog.TypedCaptions();
  Dialogs().Exec(dialog);
  // The layout keeps the captions as they were typed, to be saved with it (an
  // undoable change, which marks the layout modified): those of a set just
  // written, and any the user changed. Captions only looked at leave the
  // layout as it was.
  const std::optional<std::vector<std::string>> typed = dialog.TypedCaptions();
  if (typed && (typed != opened || !dialog.ExportedCaptions().empty())) {
    doc_.SetSetCaptions(*typed);
  } else if (!typed && !dialog.ExportedCaptions().empty()) {
    doc_.SetSetCaptions(dialog.ExportedCaptions());
  }

  settings_->setValue(QStringLiteral("ExportSets/") + key, ExportSetChoicesToMap(dialog.Choices()));
  QStringList order = settings_->value(QStringLiteral("ExportSetOrder")).toStringList();
  order.removeAll(key);
  order.prepend(key);
  while (order.size() > kKeptLayouts) settings_->remove(QStringLiteral("ExportSets/") + order.takeLast());
  settings_->setValue(QStringLiteral("ExportSetOrder"), order);
}

void MainWindow::AddRecentFile(const QString& path) {
  recent_files_.Add(QFileInfo(path).absoluteFilePath().toStdString());
  UpdateRecentMenu();
}

void MainWindow::RemoveRecentFile(const QString& path) {
  recent_files_.Remove(QFileInfo(path).absoluteFilePath().toStdString());
  UpdateRecentMenu();
}

void MainWindow::UpdateRecentMenu() {
  QStringList files;
  for (const std::string& file : recent_files_.Files()) files << QString::fromStdString(file);
  settings_->setValue(QStringLiteral("RecentFiles"), files);
  // The items go later: this may run from the one the user chose.
  for (QAction* old : recent_menu_->actions()) {
    recent_menu_->removeAction(old);
    old->setObjectName(QString());
    old->deleteLater();
  }
  for (int i = 0; i < files.size(); ++i) {
    // "&1 name" with the folder in the hint; an "&" in a name is shown as it is.
    QString label = QFileInfo(files[i]).fileName();
    label.replace(u'&', QStringLiteral("&&"));
    QAction* item = recent_menu_->addAction(tr("&%1 %2").arg(i + 1).arg(label));
    item->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
    item->setToolTip(files[i]);
    item->setStatusTip(files[i]);
    const QString path = files[i];
    connect(item, &QAction::triggered, this, [this, path] { OpenLayout(path); });
  }
  if (!files.isEmpty()) {
    recent_menu_->addSeparator();
    QAction* clear = recent_menu_->addAction(tr("&Clear Menu"));
    clear->setObjectName(QStringLiteral("clearRecentItem"));
    connect(clear, &QAction::triggered, this, [this] {
      recent_files_.SetFiles({});
      UpdateRecentMenu();
    });
  }
  recent_menu_->setEnabled(!files.isEmpty());
  recent_menu_->setToolTipsVisible(true);
}

void MainWindow::Exit() { close(); }

SplashWindow* MainWindow::Splash() const { return splash_; }

void MainWindow::SetSplash(SplashWindow* splash) { splash_ = splash; }

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
