#include "ui/up_down_button.h"

#include <QKeyEvent>
#include <QToolButton>

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
  connect(up_, &QToolButton::clicked, this, &UpDownButton::upClicked);
  connect(down_, &QToolButton::clicked, this, &UpDownButton::downClicked);
}

void UpDownButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up) {
    emit upClicked();
  } else if (event->key() == Qt::Key_Down) {
    emit downClicked();
  } else {
    QWidget::keyPressEvent(event);
  }
}

void UpDownButton::resizeEvent(QResizeEvent*) {
  const int upper = height() / 2;
  up_->setGeometry(0, 0, width(), upper);
  down_->setGeometry(0, upper, width(), height() - upper);
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
