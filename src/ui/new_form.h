#pragma once
// The type chooser of the Add layer command: one drop-down list of the four
// layer kinds, OK and Cancel.

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

namespace vorbel::ui {

class TfrmNew : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmNew(QWidget* parent = nullptr);

  // The chosen Type text: "Background", "Bevel", "Text" or "Image". The choice
  // stays for the next use of the dialog.
  QString SelectedType() const;

  QLabel* lblType = nullptr;
  QComboBox* cboType = nullptr;
  QPushButton* btnOk = nullptr;
  QPushButton* btnCancel = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
};

}  // namespace vorbel::ui
