#include "ui/export_set_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <exception>

#include "base/translation.h"
#include "commands/set_input.h"
#include "document/layer_type.h"
#include "document/property_string.h"
#include "ui/dialog_helpers.h"
#include "ui/dialog_seam.h"
#include "ui/preview_box.h"

namespace vorbel::ui {
namespace {

constexpr int kStripButtons = 40;
constexpr int kStripGap = 4;

// The looks in their order, with the check boxes' texts.
constexpr std::array<const char*, 4> kLookTexts = {QT_TRANSLATE_NOOP("vorbel::ui::ExportSetDialog", "&Normal"),
                                                   QT_TRANSLATE_NOOP("vorbel::ui::ExportSetDialog", "&Hover"),
                                                   QT_TRANSLATE_NOOP("vorbel::ui::ExportSetDialog", "&Pressed"),
                                                   QT_TRANSLATE_NOOP("vorbel::ui::ExportSetDialog", "&Disabled")};

// "A", "A and B", "A, B and C".
QString ListText(const QStringList& items) {
  if (items.size() < 2) return items.join(QString());
  return QCoreApplication::translate("vorbel::ui::ExportSetDialog", "%1 and %2")
      .arg(items.mid(0, items.size() - 1).join(QStringLiteral(", ")), items.back());
}

// A look's name as the strip and the status line give it.
QString LookName(std::size_t look) {
  return QCoreApplication::translate("vorbel::ui::ExportSetDialog", kLookTexts[look]).remove(u'&');
}

// The strip: the name of each look over its column of buttons. The buttons
// are drawn pixel for pixel, each a square of whole device pixels on a
// high-density screen (2 x 2 at a ratio of 1.5), never smoothed.
class StripView final : public QWidget {
 public:
  explicit StripView(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("stripView")); }

  void SetStrip(const QImage& strip, const QStringList& headings, int cellWidth) {
    strip_ = strip;
    headings_ = strip.isNull() ? QStringList() : headings;
    cell_width_ = cellWidth;
    resize(sizeHint());
    update();
  }
  const QStringList& Headings() const { return headings_; }

  QSize sizeHint() const override {
    if (strip_.isNull()) return {0, 0};
    int width = 0;
    for (qsizetype i = 0; i < headings_.size(); ++i) width += ColumnWidth(i) + (i > 0 ? kStripGap : 0);
    return {width, HeadingHeight() + InWindowPixels(strip_.height())};
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (strip_.isNull()) return;
    QPainter painter(this);
    const int scale = WholeDeviceScale(PainterPixelRatio(painter));
    int x = 0;
    for (qsizetype i = 0; i < headings_.size(); ++i) {
      const int width = ColumnWidth(i);
      painter.drawText(QRect(x, 0, width, HeadingHeight()), Qt::AlignLeft | Qt::AlignVCenter, headings_[i]);
      const QRect source(static_cast<int>(i) * (cell_width_ + kStripGap), 0, cell_width_, strip_.height());
      DrawInDevicePixels(painter, QPoint(x, HeadingHeight()), strip_, source, scale);
      x += width + kStripGap;
    }
  }

 private:
  int HeadingHeight() const { return fontMetrics().height() + 4; }
  int ColumnWidth(qsizetype column) const {
    return std::max(InWindowPixels(cell_width_), fontMetrics().horizontalAdvance(headings_[column]));
  }
  // The window pixels that `pixels` strip pixels take on this screen.
  int InWindowPixels(int pixels) const {
    const qreal ratio = devicePixelRatioF();
    return static_cast<int>(std::ceil(pixels * WholeDeviceScale(ratio) / ratio));
  }

  QImage strip_;
  QStringList headings_;
  int cell_width_ = 0;
};

}  // namespace

QString CaptionLines(const std::vector<std::string>& captions) {
  QStringList lines;
  for (const std::string& caption : captions) lines << QString::fromStdString(caption);
  return lines.join(u'\n');
}

namespace {

QString FormatName(commands::ExportFormat format) {
  const std::string_view name = commands::FormatInfo(format).name;
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

QVariantMap ExportSetChoicesToMap(const ExportSetChoices& choices) {
  const commands::SetOptions& o = choices.options;
  QStringList states;
  for (render::ButtonState state : o.states) {
    states << QString::fromLatin1(render::ButtonStateName(state).data(),
                                  static_cast<qsizetype>(render::ButtonStateName(state).size()));
  }
  QVariantList scales;
  for (int scale : o.scales) scales << scale;
  return {{QStringLiteral("Captions"), choices.captions},
          {QStringLiteral("Folder"), choices.folder},
          {QStringLiteral("States"), states},
          {QStringLiteral("Scales"), scales},
          {QStringLiteral("Format"), QString::fromStdString(commands::FormatListText(o.formats))},
          {QStringLiteral("Pattern"), QString::fromStdString(o.pattern)},
          {QStringLiteral("Size"), o.size == commands::SetSize::Fit ? QStringLiteral("fit") : QStringLiteral("fixed")},
          {QStringLiteral("Sprite"), o.sprite},
          {QStringLiteral("CaptionLayer"), o.caption_layer}};
}

ExportSetChoices ExportSetChoicesFromMap(const QVariantMap& map, ExportSetChoices defaults) {
  ExportSetChoices c = std::move(defaults);
  // Settings are the user's file: anything that does not read keeps the default.
  const auto read = [&](const char* key, auto apply) {
    const auto it = map.find(QString::fromLatin1(key));
    if (it == map.end()) return;
    try {
      apply(*it);
    } catch (const commands::SetError&) {
    }
  };
  read("Captions", [&](const QVariant& v) { c.captions = v.toString(); });
  read("Folder", [&](const QVariant& v) { c.folder = v.toString(); });
  read("States",
       [&](const QVariant& v) { c.options.states = commands::ParseStates(v.toStringList().join(u',').toStdString()); });
  read("Scales", [&](const QVariant& v) {
    QStringList scales;
    for (const QVariant& scale : v.toList()) scales << scale.toString();
    c.options.scales = commands::ParseScales(scales.join(u',').toStdString());
  });
  read("Format", [&](const QVariant& v) { c.options.formats = commands::ParseFormats(v.toString().toStdString()); });
  read("Pattern", [&](const QVariant& v) {
    commands::CheckPattern(v.toString().toStdString());
    c.options.pattern = v.toString().toStdString();
  });
  read("Size", [&](const QVariant& v) {
    c.options.size = v.toString() == QStringLiteral("fixed") ? commands::SetSize::Fixed : commands::SetSize::Fit;
  });
  read("Sprite", [&](const QVariant& v) { c.options.sprite = v.toBool(); });
  read("CaptionLayer", [&](const QVariant& v) { c.options.caption_layer = std::max(v.toInt(), -1); });
  return c;
}

QImage DrawSetStrip(commands::ButtonSet& set, int maxButtons) {
  const auto& states = set.Options().states;
  const int rows = std::min(set.ButtonCount(), maxButtons);
  const int columns = static_cast<int>(states.size());
  const int w = set.Width();
  const int h = set.Height();
  QImage strip(columns * (w + kStripGap) - kStripGap, rows * (h + kStripGap) - kStripGap, QImage::Format_ARGB32);
  if (strip.isNull()) return strip;  // too large for the memory: nothing shown
  strip.fill(Qt::transparent);
  QPainter painter(&strip);
  QImage cell;
  for (int button = 0; button < rows; ++button) {
    for (int column = 0; column < columns; ++column) {
      CopySurfaceToImage(set.Draw(button, states[static_cast<std::size_t>(column)], 1), cell);
      painter.drawImage(column * (w + kStripGap), button * (h + kStripGap), cell);
    }
  }
  return strip;
}

ExportSetDialog::ExportSetDialog(const document::ButtonDocument& layout, QWidget* parent)
    : QDialog(parent), layout_(layout) {
  setObjectName(QStringLiteral("exportSetDialog"));
  setWindowTitle(tr("Export Set"));
  update_timer_ = new QTimer(this);
  update_timer_->setObjectName(QStringLiteral("previewTimer"));
  update_timer_->setSingleShot(true);
  update_timer_->setInterval(150);
  connect(update_timer_, &QTimer::timeout, this, &ExportSetDialog::UpdatePreview);
  BuildControls();
}

ExportSetDialog::~ExportSetDialog() = default;

void ExportSetDialog::BuildControls() {
  auto* top = new QVBoxLayout(this);
  settings_ = new QWidget(this);
  settings_->setObjectName(QStringLiteral("settings"));
  auto* grid = new QGridLayout(settings_);
  grid->setContentsMargins(0, 0, 0, 0);
  top->addWidget(settings_);

  auto* captionsLabel = new QLabel(tr("&Captions, one a line:"), settings_);
  captions_edit_ = new QPlainTextEdit(settings_);
  captions_edit_->setObjectName(QStringLiteral("captionsEdit"));
  captions_edit_->setTabChangesFocus(true);
  captions_edit_->setMinimumWidth(180);
  captionsLabel->setBuddy(captions_edit_);
  grid->addWidget(captionsLabel, 0, 0);
  grid->addWidget(captions_edit_, 1, 0);
  connect(captions_edit_, &QPlainTextEdit::textChanged, this, &ExportSetDialog::ScheduleUpdate);

  auto* form = new QFormLayout;
  grid->addLayout(form, 1, 1);

  caption_layer_combo_ = new QComboBox(settings_);
  caption_layer_combo_->setObjectName(QStringLiteral("captionLayerCombo"));
  caption_layer_combo_->addItem(tr("The top-most text layer"), -1);
  for (int row = 0; row < layout_.RowCount(); ++row) {
    const document::LayerRow& layer = layout_.Row(row);
    if (!layer.IsComplete() || !document::KindsForRender(layer.type).text) continue;
    const QString caption = QString::fromStdString(document::GetPropValue("Text", layer.Properties(), ""));
    caption_layer_combo_->addItem(tr("Layer %1: %2").arg(row).arg(caption), row);
  }
  form->addRow(tr("Caption &layer:"), caption_layer_combo_);
  connect(caption_layer_combo_, &QComboBox::currentIndexChanged, this, &ExportSetDialog::ScheduleUpdate);

  auto* looks = new QHBoxLayout;
  static constexpr const char* kLookNames[4] = {"normalBox", "hoverBox", "pressedBox", "disabledBox"};
  for (std::size_t i = 0; i < state_boxes_.size(); ++i) {
    state_boxes_[i] = new QCheckBox(tr(kLookTexts[i]), settings_);
    state_boxes_[i]->setObjectName(QString::fromLatin1(kLookNames[i]));
    looks->addWidget(state_boxes_[i]);
    connect(state_boxes_[i], &QCheckBox::toggled, this, &ExportSetDialog::ScheduleUpdate);
  }
  form->addRow(tr("Looks:"), looks);

  auto* scales = new QHBoxLayout;
  for (std::size_t i = 0; i < scale_boxes_.size(); ++i) {
    scale_boxes_[i] = new QCheckBox(tr("&%1x").arg(i + 1), settings_);
    scale_boxes_[i]->setObjectName(QStringLiteral("scale%1Box").arg(i + 1));
    scales->addWidget(scale_boxes_[i]);
    connect(scale_boxes_[i], &QCheckBox::toggled, this, &ExportSetDialog::ScheduleUpdate);
  }
  scales->addStretch();
  form->addRow(tr("Screens:"), scales);

  size_combo_ = new QComboBox(settings_);
  size_combo_->setObjectName(QStringLiteral("sizeCombo"));
  size_combo_->addItem(tr("Fit the longest caption"));
  size_combo_->addItem(tr("The layout's size"));
  form->addRow(tr("&Size:"), size_combo_);
  connect(size_combo_, &QComboBox::currentIndexChanged, this, &ExportSetDialog::ScheduleUpdate);

  format_combo_ = new QComboBox(settings_);
  format_combo_->setObjectName(QStringLiteral("formatCombo"));
  for (const commands::ExportFormatInfo& row : commands::ExportFormats()) {
    const QString text = QString::fromUtf8(base::Translate(row.dialog_text));
    format_combo_->addItem(row.partial_transparency    ? tr("%1 (every level of transparency)").arg(text)
                           : row.transparent_work_area ? tr("%1 (transparent pixels)").arg(text)
                                                       : text,
                           static_cast<int>(row.format));
  }
  form->addRow(tr("&Format:"), format_combo_);
  connect(format_combo_, &QComboBox::currentIndexChanged, this, &ExportSetDialog::ScheduleUpdate);
  // A second format for browsers that do not take the first: pages offer
  // the first and fall back on this one.
  fallback_combo_ = new QComboBox(settings_);
  fallback_combo_->setObjectName(QStringLiteral("fallbackCombo"));
  fallback_combo_->addItem(tr("None"), -1);
  for (const commands::ExportFormatInfo& row : commands::ExportFormats()) {
    fallback_combo_->addItem(QString::fromUtf8(base::Translate(row.dialog_text)), static_cast<int>(row.format));
  }
  form->addRow(tr("Also &as:"), fallback_combo_);
  connect(fallback_combo_, &QComboBox::currentIndexChanged, this, &ExportSetDialog::ScheduleUpdate);
  matte_label_ = new QLabel(settings_);
  matte_label_->setObjectName(QStringLiteral("matteLabel"));
  matte_label_->setWordWrap(true);
  form->addRow(QString(), matte_label_);
  const auto showMatte = [this](int index) {
    const QVariant format = format_combo_->itemData(index);
    const QString note =
        format.isValid() ? MatteNote(layout_, static_cast<commands::ExportFormat>(format.toInt())) : QString();
    matte_label_->setText(note);
    matte_label_->setVisible(!note.isEmpty());
  };
  connect(format_combo_, &QComboBox::currentIndexChanged, this, showMatte);
  showMatte(0);

  pattern_edit_ = new QLineEdit(settings_);
  pattern_edit_->setObjectName(QStringLiteral("patternEdit"));
  pattern_edit_->setToolTip(
      tr("{name}: the caption in lower-case letters, digits and dashes; {index}: its place in the list; "
         "{state}: normal, hover, pressed or disabled; {scale}: 1, 2 or 3"));
  example_label_ = new QLabel(settings_);
  example_label_->setObjectName(QStringLiteral("exampleLabel"));
  // A label of its own: a row of a layout gets no buddy for its mnemonic.
  auto* namesLabel = new QLabel(tr("File na&mes:"), settings_);
  namesLabel->setBuddy(pattern_edit_);
  form->addRow(namesLabel, pattern_edit_);
  form->addRow(QString(), example_label_);
  connect(pattern_edit_, &QLineEdit::textChanged, this, &ExportSetDialog::ScheduleUpdate);

  folder_edit_ = new QLineEdit(settings_);
  folder_edit_->setObjectName(QStringLiteral("folderEdit"));
  browse_button_ = new QPushButton(tr("&Browse..."), settings_);
  browse_button_->setObjectName(QStringLiteral("browseButton"));
  connect(browse_button_, &QPushButton::clicked, this, &ExportSetDialog::ChooseFolder);
  auto* folder = new QHBoxLayout;
  folder->addWidget(folder_edit_, 1);
  folder->addWidget(browse_button_);
  auto* folderLabel = new QLabel(tr("F&older:"), settings_);
  folderLabel->setBuddy(folder_edit_);
  form->addRow(folderLabel, folder);
  connect(folder_edit_, &QLineEdit::textChanged, this, &ExportSetDialog::ScheduleUpdate);

  sprite_box_ = new QCheckBox(tr("Sprite sheets, st&yle sheet and preview page"), settings_);
  sprite_box_->setObjectName(QStringLiteral("spriteBox"));
  form->addRow(QString(), sprite_box_);
  connect(sprite_box_, &QCheckBox::toggled, this, &ExportSetDialog::ScheduleUpdate);

  strip_view_ = new StripView(this);
  strip_area_ = new QScrollArea(this);
  strip_area_->setObjectName(QStringLiteral("stripArea"));
  strip_area_->setWidget(strip_view_);
  strip_area_->setMinimumHeight(140);
  strip_area_->setAccessibleName(tr("The set as it will be written"));
  top->addWidget(new QLabel(tr("The set as it will be written, at 1x:"), this));
  top->addWidget(strip_area_, 1);

  status_label_ = new QLabel(this);
  status_label_->setObjectName(QStringLiteral("statusLabel"));
  status_label_->setWordWrap(true);
  status_label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  top->addWidget(status_label_);
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("progressBar"));
  progress_->setVisible(false);
  progress_->setAccessibleName(tr("Export progress"));
  top->addWidget(progress_);

  auto* buttons = new QDialogButtonBox(this);
  export_button_ = buttons->addButton(tr("&Export"), QDialogButtonBox::AcceptRole);
  export_button_->setObjectName(QStringLiteral("exportButton"));
  export_button_->setDefault(true);
  close_button_ = buttons->addButton(QDialogButtonBox::Close);
  close_button_->setObjectName(QStringLiteral("closeButton"));
  // Export writes and keeps the dialog open; Close closes it, or stops an
  // export that runs.
  connect(export_button_, &QPushButton::clicked, this, &ExportSetDialog::ExportNow);
  connect(close_button_, &QPushButton::clicked, this, &ExportSetDialog::reject);
  top->addWidget(buttons);
  resize(QSize(640, 520).expandedTo(sizeHint()));
}

ExportSetChoices ExportSetDialog::DefaultChoices(const document::ButtonDocument& layout, const QString& folder) {
  ExportSetChoices c;
  const int row = commands::DefaultCaptionLayer(layout);
  if (!layout.SetCaptions().empty()) {
    c.captions = CaptionLines(layout.SetCaptions());
  } else if (row >= 0) {
    c.captions = QString::fromStdString(document::GetPropValue("Text", layout.Row(row).Properties(), ""));
  }
  c.folder = folder;
  c.options.states = {render::ButtonState::Normal, render::ButtonState::Hover, render::ButtonState::Pressed};
  c.options.scales = {1, 2};
  c.options.sprite = true;
  return c;
}

void ExportSetDialog::SetChoices(const ExportSetChoices& choices) {
  const commands::SetOptions& o = choices.options;
  const QSignalBlocker blockCaptions(captions_edit_);
  captions_edit_->setPlainText(choices.captions);
  folder_edit_->setText(choices.folder);
  for (std::size_t i = 0; i < state_boxes_.size(); ++i) {
    state_boxes_[i]->setChecked(std::find(o.states.begin(), o.states.end(), render::kButtonStates[i]) !=
                                o.states.end());
  }
  for (std::size_t i = 0; i < scale_boxes_.size(); ++i) {
    scale_boxes_[i]->setChecked(std::find(o.scales.begin(), o.scales.end(), static_cast<int>(i) + 1) != o.scales.end());
  }
  size_combo_->setCurrentIndex(o.size == commands::SetSize::Fit ? 0 : 1);
  for (int i = 0; i < format_combo_->count(); ++i) {
    if (format_combo_->itemData(i).toInt() == static_cast<int>(o.formats.front())) format_combo_->setCurrentIndex(i);
  }
  const int fallback = o.formats.size() > 1 ? fallback_combo_->findData(static_cast<int>(o.formats.back())) : 0;
  fallback_combo_->setCurrentIndex(std::max(fallback, 0));
  pattern_edit_->setText(QString::fromStdString(o.pattern));
  sprite_box_->setChecked(o.sprite);
  const int layer = caption_layer_combo_->findData(o.caption_layer);
  caption_layer_combo_->setCurrentIndex(layer >= 0 ? layer : 0);
  UpdatePreview();
}

ExportSetChoices ExportSetDialog::Choices() const {
  ExportSetChoices c;
  c.captions = captions_edit_->toPlainText();
  c.folder = folder_edit_->text();
  commands::SetOptions& o = c.options;
  o.states.clear();
  for (std::size_t i = 0; i < state_boxes_.size(); ++i) {
    if (state_boxes_[i]->isChecked()) o.states.push_back(render::kButtonStates[i]);
  }
  o.scales.clear();
  for (std::size_t i = 0; i < scale_boxes_.size(); ++i) {
    if (scale_boxes_[i]->isChecked()) o.scales.push_back(static_cast<int>(i) + 1);
  }
  o.size = size_combo_->currentIndex() == 1 ? commands::SetSize::Fixed : commands::SetSize::Fit;
  o.formats = {
      static_cast<commands::ExportFormat>(format_combo_->itemData(std::max(format_combo_->currentIndex(), 0)).toInt())};
  if (const int fallback = fallback_combo_->currentData().toInt();
      fallback >= 0 && fallback != static_cast<int>(o.formats.front())) {
    o.formats.push_back(static_cast<commands::ExportFormat>(fallback));
  }
  o.pattern = pattern_edit_->text().toStdString();
  o.sprite = sprite_box_->isChecked();
  o.caption_layer = caption_layer_combo_->currentData().toInt();
  return c;
}

void ExportSetDialog::ScheduleUpdate() {
  if (!exporting_) update_timer_->start();
}

void ExportSetDialog::ShowStatus(const QString& text, bool problem) {
  status_label_->setText(text);
  status_label_->setStyleSheet(problem ? QStringLiteral("color: #b00020;") : QString());
}

void ExportSetDialog::UpdatePreview() {
  update_timer_->stop();
  if (exporting_) return;
  set_.reset();
  problem_.clear();
  ExportSetChoices c = Choices();
  try {
    if (c.options.states.empty()) throw commands::SetError(tr("choose at least one look").toStdString());
    if (c.options.scales.empty()) throw commands::SetError(tr("choose at least one screen").toStdString());
    const QByteArray captions = c.captions.toUtf8();
    c.options.captions =
        commands::ParseCaptionsFile({captions.constData(), static_cast<std::size_t>(captions.size())}, "the captions");
    set_ = std::make_unique<commands::ButtonSet>(layout_, c.options);
    strip_ = DrawSetStrip(*set_, kStripButtons);
  } catch (const std::exception&) {
    set_.reset();
    strip_ = QImage();
    problem_ = CaughtErrorText();
    // The first letter up: the message starts a sentence here.
    if (!problem_.isEmpty()) problem_[0] = problem_[0].toUpper();
  }
  const QStringList headings = StripHeadingsFor(c.options);
  static_cast<StripView*>(strip_view_)->SetStrip(strip_, headings, set_ ? set_->Width() : 0);
  strip_area_->setAccessibleDescription(
      set_ ? tr("Buttons of %1 x %2 pixels, one row for each caption, one column for each look: %3")
                 .arg(set_->Width())
                 .arg(set_->Height())
                 .arg(ListText(headings))
           : problem_);
  if (set_) {
    example_label_->setText(tr("For example %1").arg(QString::fromStdString(set_->FileName(0, 0, 0))));
    // The captions the strip shows are measured already; a warning names
    // the first that is hard to read.
    const std::vector<std::string> warnings = set_->ContrastWarnings(kStripButtons);
    QString summary = Summary();
    if (!warnings.empty()) {
      QString warning = QString::fromStdString(warnings.front());
      if (!warning.isEmpty()) warning[0] = warning[0].toUpper();
      summary += u' ' + (warnings.size() == 1 ? tr("Note: %1.").arg(warning)
                                              : tr("Note: %1, and %2 more.").arg(warning).arg(warnings.size() - 1));
    }
    ShowStatus(summary, false);
  } else {
    example_label_->clear();
    ShowStatus(problem_, true);
  }
  export_button_->setEnabled(set_ != nullptr && !folder_edit_->text().isEmpty());
}

QStringList ExportSetDialog::StripHeadings() const { return static_cast<StripView*>(strip_view_)->Headings(); }

QStringList ExportSetDialog::StripHeadingsFor(const commands::SetOptions& options) {
  QStringList headings;
  for (render::ButtonState state : options.states) {
    const auto look = std::find(render::kButtonStates.begin(), render::kButtonStates.end(), state);
    headings << LookName(static_cast<std::size_t>(look - render::kButtonStates.begin()));
  }
  return headings;
}

int ExportSetDialog::ExistingFiles() const {
  const QString folder = folder_edit_->text();
  if (!set_ || folder.isEmpty()) return 0;
  const QDir dir(folder);
  int existing = 0;
  for (const std::string& name : set_->FileNames()) {
    if (QFileInfo::exists(dir.filePath(QString::fromStdString(name)))) ++existing;
  }
  return existing;
}

QString ExportSetDialog::Summary() const {
  const commands::SetOptions& o = set_->Options();
  QStringList scales;
  for (int scale : o.scales) scales << tr("%1x").arg(scale);
  QStringList formats;
  for (const commands::ExportFormat f : o.formats) formats << FormatName(f).toUpper();
  const QString format = ListText(formats);
  const QString what = o.sprite ? tr("%1 files of %2 x %3 pixels at 1x: each caption %4 at %5, as %6, with the "
                                     "sprite sheets, style sheet and preview page.")
                                : tr("%1 files of %2 x %3 pixels at 1x: each caption %4 at %5, as %6.");
  QString text = what.arg(set_->FileNames().size())
                     .arg(set_->Width())
                     .arg(set_->Height())
                     .arg(ListText(StripHeadingsFor(o)))
                     .arg(ListText(scales))
                     .arg(format);
  if (set_->ButtonCount() > kStripButtons) {
    text += u' ' + tr("The strip shows the first %1 of %2 captions.").arg(kStripButtons).arg(set_->ButtonCount());
  }
  const QString folder = folder_edit_->text();
  if (folder.isEmpty()) {
    text += u' ' + tr("Choose the folder to write the set into.");
  } else if (const int existing = ExistingFiles(); existing > 0) {
    text += u' ' + tr("%1 of them are in %2 already and will be replaced.").arg(existing).arg(folder);
  } else {
    text += u' ' + tr("They go to %1.").arg(folder);
  }
  return text;
}

std::optional<std::vector<std::string>> ExportSetDialog::TypedCaptions() const {
  const QByteArray captions = captions_edit_->toPlainText().toUtf8();
  try {
    return commands::ParseCaptionsFile({captions.constData(), static_cast<std::size_t>(captions.size())},
                                       "the captions");
  } catch (const commands::SetError&) {
    return std::nullopt;
  }
}

void ExportSetDialog::SetExporting(bool exporting) {
  exporting_ = exporting;
  settings_->setEnabled(!exporting);
  export_button_->setEnabled(!exporting);
  close_button_->setText(exporting ? tr("Cancel") : tr("Close"));
  progress_->setVisible(exporting);
}

bool ExportSetDialog::ExportNow() {
  if (exporting_) return false;
  UpdatePreview();
  if (!set_) return false;
  const QString folder = folder_edit_->text();
  if (folder.isEmpty()) {
    ShowStatus(tr("Choose the folder to write the set into."), true);
    return false;
  }
  // Files already there are replaced only when the user says so, once for
  // the whole set.
  if (const int existing = ExistingFiles(); existing > 0) {
    const int total = static_cast<int>(set_->FileNames().size());
    if (!Dialogs().AskYesNo(this, tr("Export Set"),
                            tr("%1 of the %2 files of the set are in %3 already.\nDo you want to replace them?")
                                .arg(existing)
                                .arg(total)
                                .arg(folder))) {
      ShowStatus(tr("Nothing was written: the files in %1 stay as they were.").arg(folder), true);
      return false;
    }
  }
  cancel_ = false;
  SetExporting(true);
  std::unique_ptr<commands::SetWriter> writer;
  QString error;
  try {
    writer = std::make_unique<commands::SetWriter>(*set_, folder.toStdString());
    progress_->setRange(0, writer->StepCount());
    progress_->setValue(0);
    while (!writer->Done() && !cancel_) {
      writer->WriteStep();
      progress_->setValue(writer->StepsDone());
      emit StepWritten(writer->StepsDone(), writer->StepCount());
      // The Cancel button stays live between steps.
      QCoreApplication::processEvents();
    }
  } catch (...) {
    error = CaughtErrorText();
  }
  const int written = writer ? writer->FilesWritten() : 0;
  const bool done = writer && writer->Done();
  SetExporting(false);
  const int total = static_cast<int>(set_->FileNames().size());
  if (!error.isEmpty()) {
    ShowStatus(tr("%1 of %2 files were written before this error: %3").arg(written).arg(total).arg(error), true);
    Dialogs().ShowError(this, error);
  } else if (!done) {
    ShowStatus(tr("Stopped: %1 of %2 files were written to %3.").arg(written).arg(total).arg(folder), true);
  } else {
    exported_captions_ = set_->Options().captions;
    QString status = tr("%1 files were written to %2.").arg(written).arg(folder);
    if (QString smooth = QString::fromStdString(set_->SmoothLeftOutMessage()); !smooth.isEmpty()) {
      if (smooth.endsWith(u'.')) smooth.chop(1);
      status += u' ' + tr("Note: %1.").arg(smooth);
    }
    ShowStatus(status, false);
  }
  return done && error.isEmpty();
}

void ExportSetDialog::CancelExport() { cancel_ = true; }

void ExportSetDialog::ChooseFolder() {
  if (const std::optional<QString> folder =
          Dialogs().FolderName(this, tr("Folder for the Set"), folder_edit_->text())) {
    folder_edit_->setText(*folder);
    UpdatePreview();
  }
}

void ExportSetDialog::reject() {
  if (exporting_) {
    CancelExport();
    return;
  }
  QDialog::reject();
}

}  // namespace vorbel::ui
