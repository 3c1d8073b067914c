// The main window as a view of the document: the controls of the "Button"
// page, the caption and the layer list follow the document, the user's
// changes go back into it, and the preview shows what the render pass drew.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLabel>
#include <QScrollArea>
#include <QStatusBar>
#include <QTreeView>

#include <exception>
#include <optional>

#include "base/translation.h"
#include "controls/color_combo_box.h"
#include "controls/spin_edit.h"
#include "gdi/bitmap.h"
#include "gdi/system_colors.h"
#include "ui/dialog_helpers.h"
#include "ui/dialog_seam.h"
#include "ui/layer_list_model.h"
#include "ui/main_window.h"
#include "ui/preview_box.h"

namespace vorbel::ui {
namespace {

// The text shown in the preview instead of a button that cannot be drawn.
QString TooLargeMessage() {
  return QCoreApplication::translate(
             "vorbel::ui::MainWindow",
             "The button is too large to draw: at most %1 pixels a side and %2 million pixels in all.")
      .arg(gdi::kMaxBitmapSide)
      .arg(gdi::kMaxBitmapPixels / 1'000'000);
}

QColor ToQColor(gdi::Pixel p) { return QColor::fromRgb(static_cast<QRgb>(p.Rgb() | 0xFF000000u)); }

// Qt shows a "[*]" in a window title as the modified mark ("*" while the
// document differs from its file, nothing otherwise); a document path that
// holds the characters "[*]" must still show them, so they are doubled.
QString TitleText(const std::string& caption) {
  QString title = QString::fromStdString(caption);
  title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
  return title + QStringLiteral("[*]");
}

}  // namespace

void MainWindow::Guarded(const std::function<void()>& command) {
  try {
    command();
  } catch (...) {
    Dialogs().ShowError(this, CaughtErrorText());
  }
}

void MainWindow::BindDocument() {
  ShowSettings();
  doc_subscription_ = doc_.Subscribe(this);
  connect(height_edit_, &controls::SpinEdit::changed, this, [this] {
    if (!syncing_) doc_.SetHeightText(height_edit_->Text().toStdString());
  });
  connect(width_edit_, &controls::SpinEdit::changed, this, [this] {
    if (!syncing_) doc_.SetWidthText(width_edit_->Text().toStdString());
  });
  connect(border_box_, &QCheckBox::toggled, this, [this](bool checked) {
    if (!syncing_) doc_.SetBorder(checked);
  });
  connect(transparency_combo_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!syncing_ && index >= 0) doc_.SetTransparencyRule(static_cast<document::Transparency>(index));
  });
  connect(smooth_box_, &QCheckBox::toggled, this, [this](bool checked) {
    if (!syncing_) doc_.SetSmooth(checked);
  });
  connect(matte_combo_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (syncing_ || index < 0) return;
    const QVariant colour = matte_combo_->itemData(index);
    doc_.SetMatte(colour.isValid() ? std::optional<base::Color>(base::Color(colour.toInt())) : std::nullopt);
  });
  // Typing a size is one step until the field is left or Enter is pressed.
  // Undo, Redo and Export act with the cursor in the field, although its
  // text would take their keys (Ctrl+Z, Ctrl+E for the end of the line).
  QList<QKeySequence> windowKeys = undo_item_->shortcuts() + redo_item_->shortcuts();
  windowKeys += CommandAction(Command::Export)->shortcuts();
  for (controls::SpinEdit* edit : {height_edit_, width_edit_}) {
    connect(edit, &QAbstractSpinBox::editingFinished, this, [this] { history_.BreakMerge(); });
    edit->SetWindowShortcuts(windowKeys);
  }
  history_.SetChangedHandler([this] { UpdateHistoryActions(); });
  UpdateHistoryActions();
}

void MainWindow::ShowTitle() {
  setWindowTitle(TitleText(doc_.Caption()));
  setWindowModified(history_.IsModified());
}

void MainWindow::UpdateHistoryActions() {
  // The labels are English texts marked for translation where they are made.
  const auto label = [](const std::string& text) {
    return text.empty() ? QString() : QString::fromUtf8(base::Translate(text.c_str()));
  };
  const QString undo = label(history_.UndoLabel());
  const QString redo = label(history_.RedoLabel());
  undo_item_->setText(undo.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(undo));
  redo_item_->setText(redo.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(redo));
  undo_item_->setEnabled(history_.CanUndo());
  redo_item_->setEnabled(history_.CanRedo());
  setWindowModified(history_.IsModified());
}

void MainWindow::ShowSettings() {
  syncing_ = true;
  height_edit_->SetText(QString::fromStdString(doc_.HeightText()));
  width_edit_->SetText(QString::fromStdString(doc_.WidthText()));
  border_box_->setChecked(doc_.Border());
  transparency_combo_->setCurrentIndex(static_cast<int>(doc_.TransparencyRule()));
  smooth_box_->setChecked(doc_.Smooth());
  ShowMatte();
  ShowTitle();
  syncing_ = false;
}

void MainWindow::SettingsChanged(document::DocumentSetting setting) {
  ShowSettings();
  switch (setting) {
    case document::DocumentSetting::Height:
    case document::DocumentSetting::Width:
    case document::DocumentSetting::WorkArea:
    case document::DocumentSetting::Border:
    case document::DocumentSetting::Transparency:
    case document::DocumentSetting::Smooth:
    case document::DocumentSetting::LayoutFolder: RenderButton(); break;
    case document::DocumentSetting::Matte:
    case document::DocumentSetting::Caption:
    case document::DocumentSetting::SetCaptions: break;
  }
}

void MainWindow::Refresh() { RenderButton(); }

render::RenderResult MainWindow::RenderButton() {
  const render::RenderResult result = renderer_.RenderButton(doc_);
  ShowPreview(result);
  return result;
}

void MainWindow::ShowPreview(render::RenderResult result) {
  if (result == render::RenderResult::Suspended) return;
  const QColor area = ToQColor(gdi::ResolveColor(doc_.WorkAreaColor()));
  if (preview_panel_->palette().color(QPalette::Window) != area) {
    QPalette palette = preview_panel_->palette();
    palette.setColor(QPalette::Window, area);
    // A message in place of the button stays readable on any work-area
    // colour.
    palette.setColor(QPalette::WindowText, area.lightness() < 128 ? Qt::white : Qt::black);
    preview_panel_->setPalette(palette);
    preview_->setPalette(palette);
  }
  const QSize messageSize = (preview_panel_->viewport()->size() - QSize(2, 2)).expandedTo(QSize(0, 0));
  QString message;
  if (result == render::RenderResult::TooLarge) {
    message = TooLargeMessage();
  } else if (result == render::RenderResult::OutOfMemory) {
    message = tr("There is not enough memory to draw the button.");
  }
  if (message.isEmpty()) {
    preview_->SetPicture(renderer_.Surface());
  } else {
    preview_->SetMessage(message, messageSize);
  }
  DescribePreview(message);
  std::string limit = result == render::RenderResult::Partial ? renderer_.PartialMessage() : std::string();
  if (renderer_.SmoothLeftOut()) limit += (limit.empty() ? "" : " ") + renderer_.SmoothLeftOutMessage();
  ShowPassLimit(QString::fromStdString(limit));
  ShowTransparencyNote();
  if (!preview_->IsPainting()) preview_->update();
}

void MainWindow::DescribePreview(const QString& message) {
  QString text;
  if (!message.isEmpty()) {
    text = tr("Button preview: %1").arg(message);
  } else {
    const int layers = doc_.RowCount();
    const QString count = layers == 1 ? tr("1 layer") : tr("%1 layers").arg(layers);
    text = tr("Button preview, %1 by %2 pixels, %3")
               .arg(renderer_.Surface().Width())
               .arg(renderer_.Surface().Height())
               .arg(count);
  }
  if (preview_panel_->accessibleDescription() == text) return;
  preview_panel_->setAccessibleDescription(text);
  preview_->setAccessibleName(text);
}

void MainWindow::ShowPassLimit(const QString& text) { ShowStatusLabel(QStringLiteral("passLimitLabel"), text, text); }

void MainWindow::ShowStatusLabel(const QString& name, const QString& text, const QString& tip) {
  // A label of its own in the status bar: hints shown there pass over it
  // without removing it.
  auto* label = status_bar_->findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
  if (label == nullptr) {
    if (text.isEmpty()) return;
    label = new QLabel(status_bar_);
    label->setObjectName(name);
    status_bar_->addWidget(label, 1);
  }
  label->setText(text);
  label->setToolTip(tip);
  label->setVisible(!text.isEmpty());
}

void MainWindow::ShowMatte() {
  int index = 0;
  if (const std::optional<base::Color> matte = doc_.Matte()) {
    index = matte_combo_->findData(matte->Value());
    if (index < 0) {
      matte_combo_->addItem(ColorSwatch(*matte), ToQColor(gdi::ResolveColor(*matte)).name(), matte->Value());
      index = matte_combo_->count() - 1;
    }
  }
  matte_combo_->setCurrentIndex(index);
}

void MainWindow::ShowTransparencyNote() {
  const std::int64_t pixels = doc_.TransparencyRule() == document::Transparency::WorkAreaColor &&
                                      renderer_.LastResult() != render::RenderResult::TooLarge &&
                                      renderer_.LastResult() != render::RenderResult::OutOfMemory
                                  ? renderer_.PaintedWorkAreaPixels()
                                  : 0;
  QString text;
  if (pixels == 1) {
    text = tr("1 pixel of the button has the work-area colour and will be transparent");
  } else if (pixels > 1) {
    text = tr("%1 pixels of the button have the work-area colour and will be transparent").arg(pixels);
  }
  ShowStatusLabel(QStringLiteral("transparencyNoteLabel"), text,
                  tr("Painted pixels of the work area color are left out of the pictures while \"Transparent in "
                     "pictures\" on the Button page is \"Every pixel of the work area color\"; choose \"Everything "
                     "no layer paints\" to keep them."));
}

void MainWindow::SelectListRow(int row) {
  QItemSelectionModel* selection = layer_list_->selectionModel();
  const QModelIndexList rows = selection->selectedRows();
  const int shown = rows.isEmpty() ? -1 : rows.front().row();
  if (shown == row) return;
  syncing_ = true;
  if (row < 0) {
    selection->clearSelection();
  } else {
    const QModelIndex index = layer_model_->index(row, 0);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    layer_list_->scrollTo(index);
  }
  syncing_ = false;
}

void MainWindow::RowInserted(int) {
  SelectListRow(doc_.SelectedRow());
  UpdateCommands();
}

void MainWindow::RowRemoved(int) {
  SelectListRow(doc_.SelectedRow());
  UpdateCommands();
}

void MainWindow::RowsExchanged(int) {
  SelectListRow(doc_.SelectedRow());
  UpdateCommands();
}

void MainWindow::RowChanged(int) { UpdateCommands(); }

void MainWindow::RowsReset() {
  SelectListRow(doc_.SelectedRow());
  UpdateCommands();
}

void MainWindow::SelectionChanged(int, int current) {
  SelectListRow(current);
  UpdateCommands();
}

}  // namespace vorbel::ui
