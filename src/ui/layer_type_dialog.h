#pragma once
// The type chooser of the Add layer command: one drop-down list of the four
// layer kinds, OK and Cancel.

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

namespace vorbel::ui {

class LayerTypeDialog : public QDialog {
  Q_OBJECT

 public:
  explicit LayerTypeDialog(QWidget* parent = nullptr);

  // The chosen Type text: "Background", "Bevel", "Text" or "Image", whatever
  // language the list shows them in. The choice stays for the next use of the
  // dialog.
  QString SelectedType() const;
  // Chooses the entry of this Type text; a text no entry has changes nothing.
  void SelectType(const QString& type);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* type_label_ = nullptr;
  QComboBox* type_combo_ = nullptr;
  QPushButton* ok_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
};

}  // namespace vorbel::ui
