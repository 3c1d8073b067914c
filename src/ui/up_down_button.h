#pragma once
// A pair of small arrow buttons, one above the other, that step a value held
// elsewhere. Each click on an arrow is one step; holding an arrow down repeats
// the step after 400 ms and then every 100 ms. With the keyboard focus, the Up
// and Down keys step too (key repeat included), and a focus mark is drawn
// around the arrows.

#include <QWidget>

class QToolButton;

namespace vorbel::ui {

class UpDownButton final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kRepeatDelayMs = 400;
  static constexpr int kRepeatIntervalMs = 100;

  explicit UpDownButton(QWidget* parent = nullptr);

  QToolButton* UpArrow() const { return up_; }
  // A narrow column as high as a line of text.
  QSize sizeHint() const override;
  QToolButton* DownArrow() const { return down_; }

 signals:
  void upClicked();
  void downClicked();
  // A press of an arrow or of the Up or Down key begins: the steps that follow
  // until it ends (auto-repeat included) belong to it.
  void stepsStarted();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace vorbel::ui
