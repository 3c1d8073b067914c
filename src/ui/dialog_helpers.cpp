#include "ui/dialog_helpers.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QBoxLayout>
#include <QColor>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTabWidget>
#include <QToolButton>
#include <QWidget>

#include "base/translation.h"
#include "controls/color_combo_box.h"
#include "controls/spin_edit.h"
#include "document/color_list.h"
#include "document/value_conversion.h"
#include "gdi/system_colors.h"

namespace vorbel::ui {

void MakeFixedDialog(QDialog& dialog, const QString& caption, QLayout* layout) {
  dialog.setWindowTitle(caption);
  dialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint);
  dialog.setSizeGripEnabled(false);
  dialog.setLayout(layout);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLabel* MakeBuddyLabel(const QString& text, QWidget* parent, const char* name, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setBuddy(buddy);
  return label;
}

QBoxLayout* MakeOkCancelRow(QPushButton* ok, QPushButton* cancel) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

QToolButton* MakeChooseButton(QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QStringLiteral("chooseImageButton"));
  button->setIcon(button->style()->standardIcon(QStyle::SP_DirOpenIcon));
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::StrongFocus);
  const QString text = QCoreApplication::translate("vorbel::ui::Dialog", "Choose picture...");
  button->setToolTip(text);
  button->setAccessibleName(text);
  return button;
}

void Describe(QWidget& control, const QString& name, const QString& description) {
  control.setAccessibleName(name);
  if (!description.isEmpty()) control.setAccessibleDescription(description);
}

void CenterOnScreen(QWidget& window) {
  QScreen* screen = window.screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  QRect frame = window.frameGeometry();
  frame.moveCenter(area.center());
  window.move(frame.topLeft());
}

void SetHint(QWidget& widget, const QString& hint) {
  const qsizetype bar = hint.indexOf(u'|');
  const QString shortPart = bar < 0 ? hint : hint.left(bar);
  const QString longPart = bar < 0 ? hint : hint.mid(bar + 1);
  widget.setToolTip(shortPart.isEmpty() ? longPart : shortPart);
  widget.setStatusTip(longPart);
}

void SetFieldEnabled(QWidget& field, bool enabled) {
  field.setEnabled(enabled);
  const QPalette standard = QApplication::palette(&field);
  QPalette palette = field.palette();
  const QColor background =
      enabled ? standard.color(QPalette::Active, QPalette::Base) : standard.color(QPalette::Active, QPalette::Button);
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::Base, background);
  }
  field.setPalette(palette);
}

QPushButton* MakeCancelButton(QDialog& dialog, QWidget* parent) {
  auto* button = new QPushButton(QCoreApplication::translate("vorbel::ui::Dialog", "Cancel"), parent);
  button->setObjectName(QStringLiteral("cancelButton"));
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::reject);
  return button;
}

ControlWatch::ControlWatch(QWidget& dialog, const std::function<void()>& changed) {
  for (QWidget* child : dialog.findChildren<QWidget*>()) {
    if (auto* colors = qobject_cast<controls::ColorComboBox*>(child)) {
      connections_.push_back(QObject::connect(colors, &controls::ColorComboBox::changed, changed));
    } else if (auto* combo = qobject_cast<QComboBox*>(child)) {
      connections_.push_back(QObject::connect(combo, &QComboBox::currentIndexChanged, changed));
    } else if (auto* spin = qobject_cast<controls::SpinEdit*>(child)) {
      connections_.push_back(QObject::connect(spin, &controls::SpinEdit::changed, changed));
    } else if (auto* edit = qobject_cast<QLineEdit*>(child)) {
      // The field inside a spin edit or a combo box speaks through its owner.
      if (qobject_cast<QAbstractSpinBox*>(edit->parentWidget()) == nullptr &&
          qobject_cast<QComboBox*>(edit->parentWidget()) == nullptr) {
        connections_.push_back(QObject::connect(edit, &QLineEdit::textChanged, changed));
      }
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(child)) {
      connections_.push_back(QObject::connect(text, &QPlainTextEdit::textChanged, changed));
    } else if (auto* button = qobject_cast<QAbstractButton*>(child)) {
      if (button->isCheckable()) connections_.push_back(QObject::connect(button, &QAbstractButton::toggled, changed));
    }
  }
}

ControlWatch::~ControlWatch() {
  for (const QMetaObject::Connection& connection : connections_) QObject::disconnect(connection);
}

void DrawFocusMark(QWidget& widget) {
  QPainter painter(&widget);
  QStyleOptionFocusRect focus;
  focus.initFrom(&widget);
  focus.state |= QStyle::State_KeyboardFocusChange;
  focus.rect = widget.rect();
  focus.backgroundColor = widget.palette().color(QPalette::Window);
  widget.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, &widget);
}

void FocusFirstControl(QDialog& dialog) {
  auto* pages = dialog.findChild<QTabWidget*>();
  QWidget* page = pages != nullptr && pages->currentWidget() != nullptr ? pages->currentWidget() : &dialog;
  for (QWidget* widget = page->nextInFocusChain(); widget != page; widget = widget->nextInFocusChain()) {
    if (!page->isAncestorOf(widget) || (widget->focusPolicy() & Qt::TabFocus) == 0 || !widget->isEnabled() ||
        !widget->isVisibleTo(&dialog)) {
      continue;
    }
    // The focus mark shows at once, as after a Tab, not only after the first
    // key press.
    dialog.setAttribute(Qt::WA_KeyboardFocusChange);
    widget->setFocus(Qt::TabFocusReason);
    return;
  }
}

void ReadProgramIntegers(controls::SpinEdit& edit) {
  edit.SetIntegerReader([](const QString& text) { return document::TryStringToInt(text.toStdString()); });
}

QIcon ColorSwatch(base::Color color) {
  QPixmap swatch(12, 12);
  swatch.fill(QColor::fromRgb(static_cast<QRgb>(gdi::ResolveColor(color).Rgb() | 0xFF000000u)));
  return QIcon(swatch);
}

QString MatteNote(const document::ButtonDocument& doc, commands::ExportFormat format) {
  const commands::ExportFormatInfo& info = commands::FormatInfo(format);
  if (info.partial_transparency || (info.transparent_work_area && !doc.Smooth())) return {};
  const base::Color matte = doc.MatteOrWorkArea();
  QString name = QColor::fromRgb(static_cast<QRgb>(gdi::ResolveColor(matte).Rgb() | 0xFF000000u)).name();
  document::ColorList standard;
  document::FillColorList(standard);
  for (const document::ColorEntry& entry : standard.Entries()) {
    if (entry.color == matte) name = QString::fromUtf8(base::Translate(entry.name.c_str()));
  }
  if (info.transparent_work_area) {
    return QCoreApplication::translate("vorbel::ui::MatteNote",
                                       "Smooth edges are blended onto the matte, %1; pixels less than half covered "
                                       "stay transparent.")
        .arg(name);
  }
  return QCoreApplication::translate("vorbel::ui::MatteNote",
                                     "Transparent pixels are filled with the matte, %1, and smooth edges are "
                                     "blended onto it.")
      .arg(name);
}

}  // namespace vorbel::ui
