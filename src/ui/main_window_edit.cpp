// Undo and redo, the preview's zoom, the keys of the layer list, drag and
// drop, and what closing the window asks.

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QTreeView>
#include <QUrl>
#include <QWheelEvent>

#include <string>

#include "base/ascii_text.h"
#include "base/file_name.h"
#include "base/translation.h"
#include "ui/dialog_seam.h"
#include "ui/main_window.h"
#include "ui/preview_box.h"

namespace vorbel::ui {
namespace {

constexpr int kZooms[] = {1, 2, 4, 8};

std::string UpperExtension(const QString& path) {
  const std::string name = QFileInfo(path).fileName().toStdString();
  return base::UpperCaseAscii(base::FileExtension(name));
}

bool IsLayoutFile(const QString& path) { return UpperExtension(path) == ".VRB"; }

// The pictures the layers read: BMP and JPEG.
bool IsPictureFile(const QString& path) {
  const std::string extension = UpperExtension(path);
  return extension == ".BMP" || extension == ".JPG" || extension == ".JPEG" || extension == ".JPE";
}

// The one local file a drag carries, or "" for anything else.
QString DraggedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl& url = data->urls().front();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

void MainWindow::Undo() {
  if (history_.Undo()) RenderButton();
}

void MainWindow::Redo() {
  if (history_.Redo()) RenderButton();
}

int MainWindow::Zoom() const { return preview_->Zoom(); }

void MainWindow::SetZoom(int zoom) {
  preview_->SetZoom(zoom);
  for (QAction* item : zoom_group_->actions()) item->setChecked(item->data().toInt() == preview_->Zoom());
  zoom_in_item_->setEnabled(preview_->Zoom() < kZooms[3]);
  zoom_out_item_->setEnabled(preview_->Zoom() > kZooms[0]);
  settings_->setValue(QStringLiteral("Zoom"), preview_->Zoom());
}

void MainWindow::SetShowTransparency(bool show) {
  preview_->SetShowTransparency(show);
  QAction* action = CommandAction(Command::ShowTransparency);
  if (action->isChecked() != show) action->setChecked(show);
  settings_->setValue(QStringLiteral("ShowTransparency"), show);
}

void MainWindow::ShowTransparencyToggled() {
  SetShowTransparency(CommandAction(Command::ShowTransparency)->isChecked());
}

void MainWindow::ZoomIn() {
  for (int zoom : kZooms) {
    if (zoom > Zoom()) return SetZoom(zoom);
  }
}

void MainWindow::ZoomOut() {
  for (int i = 3; i >= 0; --i) {
    if (kZooms[i] < Zoom()) return SetZoom(kZooms[i]);
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  bool close = false;
  Guarded([&] { close = commands_.ConfirmDiscard(); });
  if (!close) {
    event->ignore();
    return;
  }
  settings_->setValue(QStringLiteral("WindowGeometry"), saveGeometry());
  settings_->setValue(QStringLiteral("WindowState"), saveState());
  settings_->setValue(QStringLiteral("Splitter"), splitter_->saveState());
  QMainWindow::closeEvent(event);
}

MainWindow::DropAction MainWindow::DropActionFor(const QMimeData* mime, QPoint pos, QString* path) const {
  const QString file = DraggedFile(mime);
  if (file.isEmpty() || !QFileInfo(file).isFile()) return DropAction::None;
  if (path) *path = file;
  if (IsLayoutFile(file)) return DropAction::OpenLayout;
  // A picture counts only over the preview, where it lands.
  const QWidget* viewport = preview_panel_->viewport();
  if (IsPictureFile(file) && viewport->rect().contains(viewport->mapFrom(this, pos))) return DropAction::AddPicture;
  return DropAction::None;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (DropActionFor(event->mimeData(), event->position().toPoint()) != DropAction::None) {
    event->acceptProposedAction();
  } else {
    // A picture may still be carried on to the preview.
    event->setAccepted(IsPictureFile(DraggedFile(event->mimeData())));
  }
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
  if (DropActionFor(event->mimeData(), event->position().toPoint()) != DropAction::None) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void MainWindow::dropEvent(QDropEvent* event) {
  QString path;
  const QPoint pos = event->position().toPoint();
  switch (DropActionFor(event->mimeData(), pos, &path)) {
    case DropAction::OpenLayout:
      event->acceptProposedAction();
      OpenLayout(path);
      break;
    case DropAction::AddPicture:
      event->acceptProposedAction();
      AddPictureLayer(path, preview_->ToPicture(preview_->mapFrom(this, pos)));
      break;
    case DropAction::None: event->ignore(); break;
  }
}

void MainWindow::AddPictureLayer(const QString& path, QPoint at) {
  {
    document::DocumentHistory::Step step(history_, VORBEL_TRANSLATABLE("Add Layer"));
    const int row = doc_.AppendRow(document::LayerRow::Make(
        "Image", "Image=" + QFileInfo(path).absoluteFilePath().toStdString() + ";Transparent=No;",
        std::to_string(at.x()), std::to_string(at.y())));
    doc_.SelectRow(row);
    step.Commit();
  }
  RenderButton();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == layer_list_ && event->type() == QEvent::KeyPress) {
    return LayerListKey(static_cast<QKeyEvent*>(event));
  }
  if (watched == layer_list_ && event->type() == QEvent::ContextMenu &&
      static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
    // The menu key opens the popup at the current row, not at the mouse.
    ShowLayerPopupAtCurrentRow();
    return true;
  }
  if (watched == preview_panel_->viewport() && event->type() == QEvent::Wheel) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    if ((wheel->modifiers() & Qt::ControlModifier) != 0) {
      if (wheel->angleDelta().y() > 0) ZoomIn();
      if (wheel->angleDelta().y() < 0) ZoomOut();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::LayerListKey(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (modifiers != Qt::NoModifier) return false;
      EditLayer();
      return true;
    case Qt::Key_Delete:
      if (modifiers != Qt::NoModifier) return false;
      DeleteLayer();
      return true;
    case Qt::Key_Menu: ShowLayerPopupAtCurrentRow(); return true;
    case Qt::Key_F10:
      if (modifiers != Qt::ShiftModifier) return false;
      ShowLayerPopupAtCurrentRow();
      return true;
    default: return false;
  }
}

void MainWindow::ShowLayerPopupAtCurrentRow() {
  QPoint pos(4, 4);
  if (doc_.SelectedRow() >= 0) {
    const QRect row = layer_list_->visualRect(layer_list_->model()->index(doc_.SelectedRow(), 0));
    if (row.isValid()) pos = row.center();
  }
  layer_popup_->popup(layer_list_->viewport()->mapToGlobal(pos));
}

}  // namespace vorbel::ui
