#include "ui/text_layer_dialog.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTabWidget>
#include <QToolButton>

#include <cstdint>
#include <optional>

#include "base/ascii_text.h"
#include "controls/color_combo_box.h"
#include "controls/spin_edit.h"
#include "document/layer_schema.h"
#include "document/random.h"
#include "document/value_conversion.h"
#include "ui/dialog_helpers.h"
#include "ui/font_list.h"
#include "ui/random_entry.h"
#include "ui/text_sample.h"

namespace vorbel::ui {
namespace {

constexpr int kComboWidth = 160;

controls::ColorComboBox* MakeColorCombo(document::ColorList& list, QWidget* parent, const char* name,
                                        const QString& hint) {
  auto* combo = new controls::ColorComboBox(list, parent);
  combo->setObjectName(QString::fromLatin1(name));
  combo->setMinimumWidth(kComboWidth);
  SetHint(*combo, hint);
  return combo;
}

// An effect's "enabled" box, named for a screen reader by its effect, since
// every effect has one.
QCheckBox* MakeEnabledBox(QWidget* parent, const char* name, const QString& effect) {
  auto* box = new QCheckBox(QCoreApplication::translate("vorbel::ui::TextLayerDialog", "enabled"), parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setAccessibleName(effect);
  return box;
}

// A position of the alignment pad. A pressed position is filled with the
// selection colour, so that it shows as pressed in every style, and the
// caption placed there when OK is pressed is plain to see.
class AlignmentPadButton final : public QToolButton {
 public:
  using QToolButton::QToolButton;

 protected:
  // The arrow keys move to the neighbouring position; Space presses. The
  // positions are the buttons 1 to 9 of their group, row by row.
  void keyPressEvent(QKeyEvent* event) override {
    const int id = group() != nullptr ? group()->id(this) - 1 : -1;
    int row = id / 3;
    int column = id % 3;
    switch (event->key()) {
      case Qt::Key_Left: --column; break;
      case Qt::Key_Right: ++column; break;
      case Qt::Key_Up: --row; break;
      case Qt::Key_Down: ++row; break;
      default: QToolButton::keyPressEvent(event); return;
    }
    if (id < 0 || row < 0 || row > 2 || column < 0 || column > 2) return;
    if (QAbstractButton* next = group()->button(row * 3 + column + 1)) next->setFocus(Qt::TabFocusReason);
  }

  void paintEvent(QPaintEvent* event) override {
    QToolButton::paintEvent(event);
    if (!isChecked()) return;
    QPainter painter(this);
    const QRect inner = rect().adjusted(2, 2, -2, -2);
    painter.fillRect(inner, palette().color(QPalette::Highlight));
    painter.setPen(palette().color(QPalette::HighlightedText));
    painter.drawText(inner, Qt::AlignCenter, text());
    if (hasFocus()) {
      QStyleOptionFocusRect focus;
      focus.initFrom(this);
      focus.state |= QStyle::State_KeyboardFocusChange;
      focus.rect = inner.adjusted(1, 1, -1, -1);
      focus.backgroundColor = palette().color(QPalette::Highlight);
      style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
  }
};

controls::SpinEdit* MakeSpinEdit(QWidget* parent, const char* name, int minimumWidth) {
  auto* edit = new controls::SpinEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  ReadProgramIntegers(*edit);
  edit->setMinimumWidth(minimumWidth);
  return edit;
}

}  // namespace

TextLayerDialog::TextLayerDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("textLayerDialog"));
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("pages"));
  pages_->setAccessibleName(tr("Text pages"));

  BuildTextPage();
  BuildEffectsPage();

  button_panel_ = new QWidget(this);
  button_panel_->setObjectName(QStringLiteral("buttonPanel"));
  ok_panel_ = new QWidget(button_panel_);
  ok_panel_->setObjectName(QStringLiteral("okPanel"));
  ok_button_ = new QPushButton(tr("OK"), ok_panel_);
  ok_button_->setObjectName(QStringLiteral("okButton"));
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, &QDialog::accept);
  cancel_button_ = MakeCancelButton(*this, ok_panel_);
  QBoxLayout* okRow = MakeOkCancelRow(ok_button_, cancel_button_);
  okRow->setContentsMargins(0, 0, 0, 0);
  ok_panel_->setLayout(okRow);
  auto* panelRow = new QHBoxLayout(button_panel_);
  panelRow->setContentsMargins(0, 0, 0, 0);
  panelRow->addStretch(1);
  panelRow->addWidget(ok_panel_);

  auto* layout = new QVBoxLayout;
  layout->addWidget(pages_);
  layout->addWidget(button_panel_);
  MakeFixedDialog(*this, tr("Text"), layout);

  pages_->setCurrentWidget(text_page_);
  document::FillColorList(caption_colors_);
  document::FillColorList(shadow_colors_);
  document::FillColorList(outline_colors_);
  document::FillColorList(gradient_start_colors_);
  document::FillColorList(gradient_end_colors_);
  FillFontList(*font_combo_);
  caption_colors_.SelectColor(document::StringToColor(document::text_keys::kColor.first_use));
  shadow_colors_.SelectColor(document::StringToColor(document::text_keys::kShadowColor.first_use));
  outline_colors_.SelectColor(document::StringToColor(document::text_keys::kOutlineColor.first_use));
  gradient_start_colors_.SelectColor(document::StringToColor(document::text_keys::kGradientStart.first_use));
  gradient_end_colors_.SelectColor(document::StringToColor(document::text_keys::kGradientEnd.first_use));
  font_combo_->setCurrentIndex(font_combo_->count() > 0 ? 0 : -1);
}

void TextLayerDialog::BuildTextPage() {
  text_page_ = new QWidget;
  text_page_->setObjectName(QStringLiteral("textPage"));
  pages_->addTab(text_page_, tr("Text"));

  caption_edit_ = new QLineEdit(QString::fromUtf8(document::text_keys::kText.first_use.data(),
                                                  static_cast<qsizetype>(document::text_keys::kText.first_use.size())),
                                text_page_);
  caption_edit_->setObjectName(QStringLiteral("captionEdit"));
  caption_label_ = MakeBuddyLabel(tr("Text"), text_page_, "captionLabel", caption_edit_);
  connect(caption_edit_, &QLineEdit::textChanged, this, &TextLayerDialog::UpdateSample);

  font_combo_ = new QComboBox(text_page_);
  font_combo_->setObjectName(QStringLiteral("fontCombo"));
  font_combo_->setEditable(false);
  font_combo_->setMinimumWidth(190);
  font_combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  font_combo_->setMaxVisibleItems(16);
  SetHint(*font_combo_, tr("|Set the font that will be used to draw the text caption"));
  font_label_ = MakeBuddyLabel(tr("Font face"), text_page_, "fontLabel", font_combo_);
  connect(font_combo_, &QComboBox::currentIndexChanged, this, &TextLayerDialog::UpdateSample);

  font_size_edit_ = MakeSpinEdit(text_page_, "fontSizeEdit", 60);
  font_size_edit_->SetValue(document::StringToInt(document::text_keys::kFontSize.first_use));
  SetHint(*font_size_edit_, tr("|Set the font size that will be used to draw the text caption"));
  font_size_label_ = MakeBuddyLabel(tr("Font size"), text_page_, "fontSizeLabel", font_size_edit_);
  connect(font_size_edit_, &controls::SpinEdit::changed, this, &TextLayerDialog::UpdateSample);

  angle_edit_ = MakeSpinEdit(text_page_, "angleEdit", 59);
  angle_edit_->SetMinValue(0);
  angle_edit_->SetMaxValue(360);
  angle_edit_->SetValue(document::StringToInt(document::text_keys::kAngle.first_use));
  angle_label_ = MakeBuddyLabel(tr("Angle"), text_page_, "angleLabel", angle_edit_);

  color_combo_ = MakeColorCombo(caption_colors_, text_page_, "colorCombo", tr("|Set the text caption's color"));
  color_label_ = MakeBuddyLabel(tr("Color"), text_page_, "colorLabel", color_combo_);
  caption_subscription_ = caption_colors_.Subscribe(this);

  BuildAlignmentPad();

  sample_frame_ = new QFrame(text_page_);
  sample_frame_->setObjectName(QStringLiteral("sampleFrame"));
  sample_frame_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  sample_frame_->setLineWidth(1);
  sample_ = new TextSample([this] { return SampleSettings(); }, sample_frame_);
  sample_->setObjectName(QStringLiteral("sample"));
  sample_->setMinimumSize(329, 44);
  Describe(*sample_, tr("Sample"), tr("The caption drawn in the chosen font, size and color"));
  auto* frameLayout = new QVBoxLayout(sample_frame_);
  frameLayout->setContentsMargins(1, 1, 1, 1);
  frameLayout->addWidget(sample_);
  sample_label_ = MakeBuddyLabel(tr("Sample"), text_page_, "sampleLabel", sample_frame_);

  auto* grid = new QGridLayout(text_page_);
  grid->addWidget(caption_label_, 0, 0, 1, 3);
  grid->addWidget(caption_edit_, 1, 0, 1, 3);
  grid->addWidget(font_label_, 2, 0);
  grid->addWidget(font_combo_, 3, 0);
  grid->addWidget(font_size_label_, 2, 1);
  grid->addWidget(font_size_edit_, 3, 1);
  grid->addWidget(angle_label_, 2, 2);
  grid->addWidget(angle_edit_, 3, 2);
  grid->addWidget(color_label_, 4, 0);
  grid->addWidget(color_combo_, 5, 0, Qt::AlignTop);
  grid->addWidget(alignment_group_, 4, 1, 3, 2, Qt::AlignRight);
  grid->addWidget(sample_label_, 7, 0, 1, 3);
  grid->addWidget(sample_frame_, 8, 0, 1, 3);
  grid->setColumnStretch(0, 1);
  grid->setRowStretch(6, 1);
}

void TextLayerDialog::BuildAlignmentPad() {
  alignment_group_ = new QGroupBox(tr("Alignment"), text_page_);
  alignment_group_->setObjectName(QStringLiteral("alignmentGroup"));
  Describe(*alignment_group_, tr("Alignment"), tr("Nine positions for the caption, from top left to bottom right"));
  alignment_group_->setToolTip(
      tr("Click a position to place the caption there when you press OK; click it again to release it"));
  // One group that allows every button up: pressing an up button puts it
  // down and releases the others; pressing the down button releases it.
  // The arrow keys move between the positions and Space presses one.
  alignment_button_group_ = new QButtonGroup(this);
  alignment_button_group_->setExclusive(false);
  static constexpr const char* kNames[9] = {"alignTopLeft",    "alignTop",    "alignTopRight",
                                            "alignLeft",       "alignCentre", "alignRight",
                                            "alignBottomLeft", "alignBottom", "alignBottomRight"};
  // The middle-right button reads "LR".
  static constexpr const char* kCaptions[9] = {"TL", "TM", "TR", "ML", "MM", "LR", "BL", "BM", "BR"};
  // What a screen reader says for each position.
  static constexpr const char* kSpoken[9] = {
      QT_TR_NOOP("Top left"),    QT_TR_NOOP("Top"),    QT_TR_NOOP("Top right"),
      QT_TR_NOOP("Left"),        QT_TR_NOOP("Center"), QT_TR_NOOP("Right"),
      QT_TR_NOOP("Bottom left"), QT_TR_NOOP("Bottom"), QT_TR_NOOP("Bottom right")};
  auto* pad = new QGridLayout(alignment_group_);
  pad->setSpacing(0);
  pad->setAlignment(Qt::AlignCenter);
  for (int i = 0; i < 9; ++i) {
    auto* button = new AlignmentPadButton(alignment_group_);
    button->setObjectName(QString::fromLatin1(kNames[i]));
    button->setText(QString::fromLatin1(kCaptions[i]));
    button->setAccessibleName(tr(kSpoken[i]));
    button->setCheckable(true);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setMinimumSize(23, 22);
    pad->addWidget(button, i / 3, i % 3);
    alignment_button_group_->addButton(button, i + 1);
    alignment_buttons_[static_cast<std::size_t>(i)] = button;
    connect(button, &QToolButton::clicked, this, [this, button] { AlignmentButtonClicked(button); });
  }
}

void TextLayerDialog::BuildEffectsPage() {
  effects_page_ = new QWidget;
  effects_page_->setObjectName(QStringLiteral("effectsPage"));
  pages_->addTab(effects_page_, tr("Effects"));

  shadow_group_ = new QGroupBox(tr("Shadow"), effects_page_);
  shadow_group_->setObjectName(QStringLiteral("shadowGroup"));
  shadow_box_ = MakeEnabledBox(shadow_group_, "shadowBox", tr("Shadow enabled"));
  shadow_offset_edit_ = MakeSpinEdit(shadow_group_, "shadowOffsetEdit", 80);
  shadow_offset_edit_->SetValue(document::StringToInt(document::text_keys::kShadowOffset.first_use));
  shadow_offset_label_ = MakeBuddyLabel(tr("Shadow offset"), shadow_group_, "shadowOffsetLabel", shadow_offset_edit_);
  shadow_combo_ = MakeColorCombo(shadow_colors_, shadow_group_, "shadowCombo", tr("|Set the caption's shadow color"));
  shadow_color_label_ = MakeBuddyLabel(tr("Shadow color"), shadow_group_, "shadowColorLabel", shadow_combo_);
  auto* shadowGrid = new QGridLayout(shadow_group_);
  shadowGrid->addWidget(shadow_box_, 0, 0);
  shadowGrid->addWidget(shadow_offset_label_, 1, 0);
  shadowGrid->addWidget(shadow_offset_edit_, 2, 0, Qt::AlignLeft);
  shadowGrid->addWidget(shadow_color_label_, 1, 1);
  shadowGrid->addWidget(shadow_combo_, 2, 1);

  outline_group_ = new QGroupBox(tr("Outline"), effects_page_);
  outline_group_->setObjectName(QStringLiteral("outlineGroup"));
  outline_box_ = MakeEnabledBox(outline_group_, "outlineBox", tr("Outline enabled"));
  outline_combo_ =
      MakeColorCombo(outline_colors_, outline_group_, "outlineCombo", tr("|Set the caption's outline color"));
  outline_color_label_ = MakeBuddyLabel(tr("Outline color"), outline_group_, "outlineColorLabel", outline_combo_);
  auto* outlineGrid = new QGridLayout(outline_group_);
  outlineGrid->addWidget(outline_color_label_, 0, 1);
  outlineGrid->addWidget(outline_box_, 1, 0);
  outlineGrid->addWidget(outline_combo_, 1, 1);

  gradient_group_ = new QGroupBox(tr("Gradient"), effects_page_);
  gradient_group_->setObjectName(QStringLiteral("gradientGroup"));
  gradient_box_ = MakeEnabledBox(gradient_group_, "gradientBox", tr("Gradient enabled"));
  gradient_start_combo_ = MakeColorCombo(gradient_start_colors_, gradient_group_, "gradientStartCombo",
                                         tr("|Set the gradient's start color"));
  gradient_start_label_ =
      MakeBuddyLabel(tr("Start color"), gradient_group_, "gradientStartLabel", gradient_start_combo_);
  gradient_end_combo_ =
      MakeColorCombo(gradient_end_colors_, gradient_group_, "gradientEndCombo", tr("|Set the gradient's end color"));
  gradient_end_label_ = MakeBuddyLabel(tr("End color"), gradient_group_, "gradientEndLabel", gradient_end_combo_);
  auto* gradientGrid = new QGridLayout(gradient_group_);
  gradientGrid->addWidget(gradient_box_, 0, 0);
  gradientGrid->addWidget(gradient_start_label_, 1, 0);
  gradientGrid->addWidget(gradient_start_combo_, 2, 0);
  gradientGrid->addWidget(gradient_end_label_, 1, 1);
  gradientGrid->addWidget(gradient_end_combo_, 2, 1);

  for (QGridLayout* grid : {shadowGrid, outlineGrid, gradientGrid}) {
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
  }
  auto* layout = new QVBoxLayout(effects_page_);
  layout->addWidget(shadow_group_);
  layout->addWidget(outline_group_);
  layout->addWidget(gradient_group_);
  layout->addStretch(1);
}

void TextLayerDialog::SetProperties(const std::string& text) {
  const document::TextProperties props = document::ReadTextProperties(text, document::PropertyReader::Editor);
  caption_edit_->setText(QString::fromStdString(props.text.Text()));
  caption_colors_.SelectOrAddColor(props.color.Value());

  int fontIndex = -1;
  for (int i = 0; i < font_combo_->count(); ++i) {
    if (base::EqualsIgnoringAsciiCase(font_combo_->itemText(i).toStdString(), props.font_face.Text())) {
      fontIndex = i;
      break;
    }
  }
  font_combo_->setCurrentIndex(fontIndex);

  font_size_edit_->SetValue(props.font_size.Value());
  shadow_box_->setChecked(props.shadowed.Value());
  shadow_colors_.SelectOrAddColor(props.shadow_color.Value());
  shadow_offset_edit_->SetValue(props.shadow_offset.Value());
  outline_box_->setChecked(props.outlined.Value());
  outline_colors_.SelectOrAddColor(props.outline_color.Value());
  gradient_box_->setChecked(props.gradient.Value());
  gradient_start_colors_.SelectOrAddColor(props.gradient_start.Value());
  gradient_end_colors_.SelectOrAddColor(props.gradient_end.Value());
  angle_edit_->SetText(QString::fromStdString(props.angle.Text()));
  // A caption placed by the pad shows where; one placed by hand leaves the
  // pad as it was.
  if (const int align = props.AlignmentCode(); align > 0) {
    for (std::size_t i = 0; i < alignment_buttons_.size(); ++i) {
      alignment_buttons_[i]->setChecked(static_cast<int>(i) + 1 == align);
    }
  }
}

std::string TextLayerDialog::GetProperties() const {
  using namespace document::text_keys;
  document::PropertyComposer props;
  props.Put(kText, caption_edit_->text().toStdString());
  props.Put(kFontFace, font_combo_->currentText().toStdString());
  props.Put(kFontSize, font_size_edit_->Text().toStdString());
  props.PutColor(kColor, caption_colors_.GetSelectedColor());
  props.PutFlag(kShadowed, shadow_box_->isChecked());
  props.Put(kShadowOffset, shadow_offset_edit_->Text().toStdString());
  props.PutColor(kShadowColor, shadow_colors_.GetSelectedColor());
  props.PutFlag(kOutlined, outline_box_->isChecked());
  props.PutColor(kOutlineColor, outline_colors_.GetSelectedColor());
  props.PutFlag(kGradient, gradient_box_->isChecked());
  props.PutColor(kGradientStart, gradient_start_colors_.GetSelectedColor());
  props.PutColor(kGradientEnd, gradient_end_colors_.GetSelectedColor());
  props.Put(kAngle, angle_edit_->Text().toStdString());
  // The alignment the caption is placed by, so that it can be placed again
  // (a set of buttons places each of its captions by it).
  if (const int code = GetAlignment(); code > 0) props.PutInteger(kAlign, code);
  return props.Compose(document::kTextSchema.keys);
}

int TextLayerDialog::GetAlignment() const {
  int code = 0;
  for (std::size_t i = 0; i < alignment_buttons_.size(); ++i) {
    if (alignment_buttons_[i]->isChecked()) code = static_cast<int>(i) + 1;
  }
  return code;
}

std::string TextLayerDialog::RandomProperties() {
  using namespace document::text_keys;
  document::PropertyComposer props;
  props.Put(kText, "Text");
  SelectRandomItem(*font_combo_);
  props.Put(kFontFace, font_combo_->currentText().toStdString());
  int size = document::RandomUpTo(34);
  if (size < 12) size = document::RandomUpTo(36);
  if (size < 12) size = document::RandomUpTo(38);
  if (size < 12) size = 24;
  props.PutInteger(kFontSize, size);
  props.PutColor(kColor, SelectRandomEntry(caption_colors_));
  props.PutFlag(kShadowed, document::RandomUpTo(1) == 1);
  props.PutInteger(kShadowOffset, document::RandomUpTo(3));
  props.PutColor(kShadowColor, SelectRandomEntry(shadow_colors_));
  props.PutFlag(kOutlined, document::RandomUpTo(1) == 1);
  props.PutColor(kOutlineColor, SelectRandomEntry(outline_colors_));
  props.PutFlag(kGradient, document::RandomUpTo(1) == 1);
  props.PutColor(kGradientStart, SelectRandomEntry(gradient_start_colors_));
  props.PutColor(kGradientEnd, SelectRandomEntry(gradient_end_colors_));
  return props.Compose(document::kTextSchema.random_order);
}

TextSampleSettings TextLayerDialog::SampleSettings() const {
  TextSampleSettings settings;
  settings.caption = caption_edit_->text().toStdString();
  settings.face = font_combo_->currentText().toStdString();
  settings.point_size = document::TryStringToInt(font_size_edit_->Text().toStdString()).value_or(0);
  settings.color = caption_colors_.GetSelectedColor();
  return settings;
}

bool TextLayerDialog::EffectsTabVisible() const { return pages_->isTabVisible(pages_->indexOf(effects_page_)); }

void TextLayerDialog::UpdateSample() { sample_->update(); }

void TextLayerDialog::AlignmentButtonClicked(QToolButton* button) {
  // The click has already toggled the button; a button that went down
  // releases the rest.
  if (!button->isChecked()) return;
  for (QToolButton* other : alignment_buttons_) {
    if (other != button) other->setChecked(false);
  }
}

void TextLayerDialog::ColorSelectionChanged(document::SelectionSource /*source*/) { UpdateSample(); }

void TextLayerDialog::showEvent(QShowEvent* event) {
  CenterOnScreen(*this);
  QDialog::showEvent(event);
}

}  // namespace vorbel::ui
