#include "ui/up_down_button.h"

#include <QKeyEvent>
#include <QToolButton>

#include <algorithm>

#include "ui/dialog_helpers.h"

namespace vorbel::ui {
namespace {

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setAutoRepeatDelay(UpDownButton::kRepeatDelayMs);
  button->setAutoRepeatInterval(UpDownButton::kRepeatIntervalMs);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRaise(false);
  return button;
}

}  // namespace

UpDownButton::UpDownButton(QWidget* parent)
    : QWidget(parent), up_(MakeArrow(this, Qt::UpArrow)), down_(MakeArrow(this, Qt::DownArrow)) {
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  connect(up_, &QToolButton::pressed, this, &UpDownButton::stepsStarted);
  connect(down_, &QToolButton::pressed, this, &UpDownButton::stepsStarted);
  connect(up_, &QToolButton::clicked, this, &UpDownButton::upClicked);
  connect(down_, &QToolButton::clicked, this, &UpDownButton::downClicked);
}

QSize UpDownButton::sizeHint() const { return {18, std::max(22, fontMetrics().height() + 8)}; }

void UpDownButton::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) && !event->isAutoRepeat()) emit stepsStarted();
  if (event->key() == Qt::Key_Up) {
    emit upClicked();
  } else if (event->key() == Qt::Key_Down) {
    emit downClicked();
  } else {
    QWidget::keyPressEvent(event);
  }
}

void UpDownButton::resizeEvent(QResizeEvent*) {
  // A pixel all round stays free for the focus mark.
  const QRect inner = rect().adjusted(1, 1, -1, -1);
  const int upper = inner.height() / 2;
  up_->setGeometry(inner.left(), inner.top(), inner.width(), upper);
  down_->setGeometry(inner.left(), inner.top() + upper, inner.width(), inner.height() - upper);
}

void UpDownButton::paintEvent(QPaintEvent*) {
  if (hasFocus()) DrawFocusMark(*this);
}

void UpDownButton::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void UpDownButton::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

void UpDownButton::changeEvent(QEvent* event) {
  // Disabled arrows must not keep repeating a press that began before.
  if (event->type() == QEvent::EnabledChange && !isEnabled()) {
    up_->setDown(false);
    down_->setDown(false);
  }
  QWidget::changeEvent(event);
}

}  // namespace vorbel::ui
