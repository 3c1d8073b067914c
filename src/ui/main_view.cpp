// The main window as a view of the document: the controls of the "Button"
// page, the caption and the layer list follow the document, the user's
// changes go back into it, and the preview shows what the render pass drew.

#include <QCheckBox>
#include <QFrame>
#include <QItemSelectionModel>
#include <QResizeEvent>
#include <QTreeView>

#include <exception>

#include "controls/fnp_combo_color.h"
#include "controls/spin_edit.h"
#include "gdi/bitmap.h"
#include "gdi/system_colors.h"
#include "ui/dialog_seam.h"
#include "ui/layer_list_model.h"
#include "ui/main_form.h"
#include "ui/preview_box.h"

namespace vorbel::ui {
namespace {

// The text shown in the preview instead of a button that cannot be drawn.
QString TooLargeMessage() {
  return QStringLiteral("The button is too large to draw: at most %1 pixels a side and %2 million pixels in all.")
      .arg(gdi::kMaxBitmapSide)
      .arg(gdi::kMaxBitmapPixels / 1'000'000);
}

QColor ToQColor(gdi::Pixel p) { return QColor::fromRgb(static_cast<QRgb>(p.Rgb() | 0xFF000000u)); }

// Qt hides "[*]" in a window title (the modified mark); a document path that
// holds it must still show it.
QString TitleText(const std::string& caption) {
  QString title = QString::fromStdString(caption);
  title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
  return title;
}

}  // namespace

void TMainForm::Guarded(const std::function<void()>& command) {
  try {
    command();
  } catch (...) {
    Dialogs().ShowError(this, CaughtErrorText());
  }
}

void TMainForm::BindDocument() {
  ShowSettings();
  doc_subscription_ = doc_.Subscribe(this);
  connect(sedtHeight, &SpinEdit::changed, this, [this] {
    if (!syncing_) doc_.SetHeightText(sedtHeight->Text().toStdString());
  });
  connect(sedtWidth, &SpinEdit::changed, this, [this] {
    if (!syncing_) doc_.SetWidthText(sedtWidth->Text().toStdString());
  });
  connect(cbxBorder, &QCheckBox::toggled, this, [this](bool checked) {
    if (!syncing_) doc_.SetBorder(checked);
  });
}

void TMainForm::ShowSettings() {
  syncing_ = true;
  sedtHeight->SetText(QString::fromStdString(doc_.HeightText()));
  sedtWidth->SetText(QString::fromStdString(doc_.WidthText()));
  cbxBorder->setChecked(doc_.Border());
  setWindowTitle(TitleText(doc_.Caption()));
  syncing_ = false;
}

void TMainForm::SettingsChanged(document::DocumentSetting setting) {
  ShowSettings();
  switch (setting) {
    case document::DocumentSetting::kHeight:
    case document::DocumentSetting::kWidth:
    case document::DocumentSetting::kWorkArea:
      ButtonSizeChange();
      break;
    case document::DocumentSetting::kBorder:
      cbxBorderClick();
      break;
    case document::DocumentSetting::kCaption:
      break;
  }
}

void TMainForm::ButtonSizeChange() { RenderButton(); }

void TMainForm::cbxBorderClick() { RenderButton(); }

void TMainForm::btnRefreshClick() { RenderButton(); }

void TMainForm::Refresh1Click() { btnRefresh->trigger(); }

render::RenderResult TMainForm::RenderButton() {
  UpdateGradientPictureSize();
  const render::RenderResult result = renderer_.RenderButton(doc_);
  ShowPreview(result);
  return result;
}

void TMainForm::ShowPreview(render::RenderResult result) {
  if (result == render::RenderResult::Suspended) return;
  const QColor area = ToQColor(gdi::ResolveColor(doc_.WorkAreaColor()));
  if (pnlPreview->palette().color(QPalette::Window) != area) {
    QPalette palette = pnlPreview->palette();
    palette.setColor(QPalette::Window, area);
    // A message in place of the button stays readable on any work-area
    // colour.
    palette.setColor(QPalette::WindowText, area.lightness() < 128 ? Qt::white : Qt::black);
    pnlPreview->setPalette(palette);
  }
  const QSize messageSize = (pnlPreview->size() - QSize(4, 4)).expandedTo(QSize(0, 0));
  if (result == render::RenderResult::TooLarge) {
    pbxPreview->SetMessage(TooLargeMessage(), messageSize);
  } else if (result == render::RenderResult::OutOfMemory) {
    pbxPreview->SetMessage(QStringLiteral("There is not enough memory to draw the button."), messageSize);
  } else {
    pbxPreview->SetPicture(renderer_.Surface());
  }
  if (!pbxPreview->IsPainting()) pbxPreview->update();
}

void TMainForm::UpdateGradientPictureSize() {
  const QRect frame = frameGeometry();
  renderer_.SetGradientPictureSize(frame.width(), frame.height());
}

void TMainForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // Gradient captions are sampled from a picture the size of the window.
  pbxPreview->update();
}

void TMainForm::SelectListRow(int row) {
  QItemSelectionModel* selection = lvItems->selectionModel();
  const QModelIndexList rows = selection->selectedRows();
  const int shown = rows.isEmpty() ? -1 : rows.front().row();
  if (shown == row) return;
  syncing_ = true;
  if (row < 0) {
    selection->clearSelection();
  } else {
    const QModelIndex index = lvItemsModel->index(row, 0);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    lvItems->scrollTo(index);
  }
  syncing_ = false;
}

void TMainForm::RowInserted(int) {
  SelectListRow(doc_.SelectedRow());
  lvItemsChange();
}

void TMainForm::RowRemoved(int) {
  SelectListRow(doc_.SelectedRow());
  lvItemsChange();
}

void TMainForm::RowsExchanged(int) {
  SelectListRow(doc_.SelectedRow());
  lvItemsChange();
}

void TMainForm::RowChanged(int) { lvItemsChange(); }

void TMainForm::RowsReset() {
  SelectListRow(doc_.SelectedRow());
  lvItemsChange();
}

void TMainForm::SelectionChanged(int, int current) {
  SelectListRow(current);
  lvItemsChange();
}

}  // namespace vorbel::ui
