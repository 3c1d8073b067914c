#include "controls/color_combo_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QColorDialog>
#include <QKeyEvent>
#include <QListView>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QWheelEvent>

#include <cstdint>
#include <string>
#include <utility>

#include "base/translation.h"
#include "gdi/system_colors.h"

namespace vorbel::controls {

QColor ToQColor(base::Color color) {
  const gdi::Pixel pixel = gdi::ResolveColor(color);
  return QColor(pixel.Red(), pixel.Green(), pixel.Blue());
}

namespace {

ColorChooser& Chooser() {
  static ColorChooser chooser;
  return chooser;
}

std::optional<QColor> AskPlatform(QWidget* parent, const QColor& initial) {
  const QColor color = QColorDialog::getColor(initial, parent);
  return color.isValid() ? std::optional<QColor>(color) : std::nullopt;
}

}  // namespace

void DrawColorEntry(QPainter& painter, const QRect& rect, const QString& name, base::Color color, bool selected,
                    int colorWidth, int itemHeight, const QPalette& palette, const QFont& font, bool swatch) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setClipRect(rect);
  // 1. The whole entry in the background brush.
  painter.fillRect(rect, selected ? palette.color(QPalette::Highlight) : palette.color(QPalette::Base));

  // 2. The swatch: one-pixel black frame over (left+1, top+1)-(left+W-1, top+H-1),
  // right and bottom excluded. A stroked QRect covers width+1 pixels.
  const int left = rect.left();
  const int top = rect.top();
  if (swatch && colorWidth >= 3 && itemHeight >= 3) {
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(ToQColor(color));
    painter.drawRect(QRect(left + 1, top + 1, colorWidth - 3, itemHeight - 3));
  }

  // 3./4. The name, one line, vertically centred, "&" underlining the next character.
  const QRect text_rect(QPoint(left + colorWidth + 4, top + 1), QPoint(rect.right(), rect.bottom() - 1));
  painter.setFont(font);
  painter.setPen(selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Text));
  painter.setBrush(Qt::NoBrush);
  painter.drawText(text_rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, name);
  painter.restore();
}

ColorEntryDelegate::ColorEntryDelegate(const document::ColorList& list, int itemHeight, QObject* parent)
    : QStyledItemDelegate(parent), list_(list), item_height_(itemHeight) {}

void ColorEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const bool selected = (option.state & QStyle::State_Selected) != 0;
  const QVariant color = index.data(kColorRole);
  DrawColorEntry(*painter, option.rect, index.data(Qt::DisplayRole).toString(),
                 base::Color{color.isValid() ? color.toInt() : 0}, selected, list_.ColorWidth(), item_height_,
                 option.palette, option.font, !index.data(kOtherRole).toBool());
  if ((option.state & QStyle::State_HasFocus) != 0) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(option);
    focus.backgroundColor = option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
    const QWidget* widget = option.widget;
    (widget != nullptr ? widget->style() : QApplication::style())
        ->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
  }
}

QSize ColorEntryDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QFontMetrics metrics(option.font);
  const int text_width = metrics.horizontalAdvance(index.data(Qt::DisplayRole).toString());
  return QSize(list_.ColorWidth() + 4 + text_width + 4, item_height_);
}

ColorComboBox::ColorComboBox(QWidget* parent)
    : QComboBox(parent), own_list_(std::make_unique<document::ColorList>()), list_(own_list_.get()) {
  Init();
}

ColorComboBox::ColorComboBox(document::ColorList& list, QWidget* parent) : QComboBox(parent), list_(&list) { Init(); }

void ColorComboBox::Init() {
  setEditable(false);
  setMaxVisibleItems(kDropDownCount);
  // Styles that open the list as a menu show every entry at once; this keeps
  // the scrolling list of kDropDownCount entries everywhere.
  setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setFixedHeight(kControlHeight);
  auto* view = new QListView(this);
  view->setUniformItemSizes(true);
  setView(view);
  setItemDelegate(new ColorEntryDelegate(*list_, kItemHeight, this));
  connect(this, qOverload<int>(&QComboBox::activated), this, &ColorComboBox::UserActivated);
  subscription_ = list_->Subscribe(this);
  Rebuild();
}

void ColorComboBox::Rebuild() {
  const QSignalBlocker block(this);
  clear();
  for (int i = 0; i < list_->Count(); ++i) {
    const document::ColorEntry& entry = list_->Entry(i);
    // The names of system colours are English texts with translations.
    const QString name = entry.name.empty() ? QString() : QString::fromUtf8(base::Translate(entry.name.c_str()));
    addItem(name, QVariant(entry.color.Value()));
  }
  addItem(tr("Other colour…"));
  setItemData(count() - 1, true, ColorEntryDelegate::kOtherRole);
  setCurrentIndex(list_->ItemIndex());
  update();
}

int ColorComboBox::AddColor(const QString& name, base::Color color) {
  return list_->AddColor(name.toStdString(), color);
}

bool ColorComboBox::SelectColorName(const QString& name) { return list_->SelectColorName(name.toStdString()); }

void ColorComboBox::AssignEntries(const ColorComboBox& other) { list_->AssignEntries(other.list_->Entries()); }

void ColorComboBox::UserActivated(int index) {
  if (index == OtherColorIndex()) {
    // Back to the colour selected: the item is a command, not a colour.
    {
      const QSignalBlocker block(this);
      setCurrentIndex(list_->ItemIndex());
    }
    if (!stepping_) ChooseOtherColor();
    return;
  }
  if (index < 0 || index >= list_->Count()) return;
  list_->SetItemIndex(index, document::SelectionSource::User);
  emit clicked();
  emit changed();
}

void ColorComboBox::ChooseOtherColor() {
  const base::Color selected = list_->GetSelectedColor();
  const QColor initial = selected == document::kNoSelectedColor ? QColor(Qt::white) : ToQColor(selected);
  const ColorChooser& chooser = Chooser();
  const std::optional<QColor> color = chooser ? chooser(this, initial) : AskPlatform(this, initial);
  if (!color || !color->isValid()) return;
  const QColor rgb = color->toRgb();
  list_->SelectOrAddColor(
      base::Color::FromRgb(static_cast<std::uint8_t>(rgb.red()), static_cast<std::uint8_t>(rgb.green()),
                           static_cast<std::uint8_t>(rgb.blue())),
      document::SelectionSource::User);
  emit clicked();
  emit changed();
}

void ColorComboBox::SetColorChooser(ColorChooser chooser) { Chooser() = std::move(chooser); }

void ColorComboBox::keyPressEvent(QKeyEvent* event) {
  stepping_ = true;
  QComboBox::keyPressEvent(event);
  stepping_ = false;
}

void ColorComboBox::wheelEvent(QWheelEvent* event) {
  stepping_ = true;
  QComboBox::wheelEvent(event);
  stepping_ = false;
}

void ColorComboBox::ColorEntriesChanged() { Rebuild(); }

void ColorComboBox::ColorSelectionChanged(document::SelectionSource /*source*/) {
  const QSignalBlocker block(this);
  setCurrentIndex(list_->ItemIndex());
  update();
}

void ColorComboBox::ColorWidthChanged() {
  updateGeometry();
  update();
  view()->viewport()->update();
}

QSize ColorComboBox::sizeHint() const {
  QSize size = QComboBox::sizeHint();
  size.setWidth(size.width() + ColorWidth() + 4);
  size.setHeight(kControlHeight);
  return size;
}

QSize ColorComboBox::minimumSizeHint() const {
  QSize size = QComboBox::minimumSizeHint();
  size.setWidth(size.width() + ColorWidth() + 4);
  size.setHeight(kControlHeight);
  return size;
}

void ColorComboBox::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();
  option.currentIcon = QIcon();
  painter.drawComplexControl(QStyle::CC_ComboBox, option);

  // The closed box shows the selected entry as the list draws it, highlighted
  // while the control has the focus; with no selection the field stays empty.
  const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  const int index = list_->ItemIndex();
  if (index < 0 || index >= list_->Count()) return;
  const document::ColorEntry& entry = list_->Entry(index);
  const bool focused = hasFocus() && !view()->isVisible();
  DrawColorEntry(painter, field, itemText(index), entry.color, focused, ColorWidth(), kItemHeight, palette(), font());
  if (focused) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = field;
    focus.backgroundColor = palette().color(QPalette::Highlight);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

void FillColorList(ColorComboBox& combo) { document::FillColorList(combo.List()); }

}  // namespace vorbel::controls
