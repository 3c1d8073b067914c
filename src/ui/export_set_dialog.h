#pragma once
// File > "Export Set...": a set of buttons from the open layout and a list of
// captions, in the looks and at the scales chosen, written into a folder. A
// strip shows the set as it will be written, a column a look under its name,
// drawn again as the choices are edited, and the status line says what an
// export would write where; files that are there already are replaced only
// after the user has said so once. A long export shows its progress and can
// be stopped.

#include <QDialog>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "commands/button_set.h"
#include "document/button_document.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTimer;
class QWidget;

namespace vorbel::ui {

// What the dialog is set to: the captions as typed (one a line), the folder,
// and the rest of the set's options (their captions unused).
struct ExportSetChoices {
  QString captions;
  QString folder;
  commands::SetOptions options;
};

// The choices as the user's settings keep them, and back; keys missing from
// the map keep what `defaults` holds.
QVariantMap ExportSetChoicesToMap(const ExportSetChoices& choices);
ExportSetChoices ExportSetChoicesFromMap(const QVariantMap& map, ExportSetChoices defaults);

// The captions one a line, as the captions box shows them.
QString CaptionLines(const std::vector<std::string>& captions);

// The picture the strip shows: the set's buttons at 1x, a row a caption and a
// column a look, at most `maxButtons` rows.
QImage DrawSetStrip(commands::ButtonSet& set, int maxButtons);

class ExportSetDialog : public QDialog {
  Q_OBJECT

 public:
  // Plans sets of `layout`, which must outlive the dialog and not change
  // while it is shown.
  explicit ExportSetDialog(const document::ButtonDocument& layout, QWidget* parent = nullptr);
  ~ExportSetDialog() override;

  // What a layout's first set looks like: the captions it keeps, else its
  // caption layer's caption; the normal, hover and pressed looks at 1x and 2x
  // as PNG, with the sprite sheets, into `folder`.
  static ExportSetChoices DefaultChoices(const document::ButtonDocument& layout, const QString& folder);
  void SetChoices(const ExportSetChoices& choices);
  ExportSetChoices Choices() const;

  // The set as the controls describe it, null when they describe none; then
  // Problem() says why.
  const commands::ButtonSet* Set() const { return set_.get(); }
  const QString& Problem() const { return problem_; }
  const QImage& Strip() const { return strip_; }
  // The captions of the last set written whole; empty while none was.
  const std::vector<std::string>& ExportedCaptions() const { return exported_captions_; }
  // The captions as typed, one a line, the blanks around them and empty lines
  // left out; nothing when they are no list of captions (a control character,
  // too long, too many).
  std::optional<std::vector<std::string>> TypedCaptions() const;
  // The look names above the strip's columns, left to right.
  QStringList StripHeadings() const;

 public slots:
  // Plans the set anew from the controls and redraws the strip (the controls
  // call it a moment after each change).
  void UpdatePreview();
  // Writes the set into the folder, step by step; the dialog stays live, and
  // CancelExport stops it between steps. True when every file was written.
  bool ExportNow();
  void CancelExport();
  void ChooseFolder();

 signals:
  // After each step of an export.
  void StepWritten(int done, int total);

 protected:
  // Esc and Close stop a running export instead of closing.
  void reject() override;

 private:
  void BuildControls();
  void ScheduleUpdate();
  void SetExporting(bool exporting);
  void ShowStatus(const QString& text, bool problem);
  // What the set would write where, for the status line.
  QString Summary() const;
  // How many of the set's files are in the folder already.
  int ExistingFiles() const;
  static QStringList StripHeadingsFor(const commands::SetOptions& options);

  const document::ButtonDocument& layout_;
  std::unique_ptr<commands::ButtonSet> set_;
  QString problem_;
  QImage strip_;
  std::vector<std::string> exported_captions_;
  bool exporting_ = false;
  bool cancel_ = false;

  QWidget* settings_ = nullptr;
  QPlainTextEdit* captions_edit_ = nullptr;
  QComboBox* caption_layer_combo_ = nullptr;
  std::array<QCheckBox*, 4> state_boxes_{};
  std::array<QCheckBox*, commands::kMaxSetScale> scale_boxes_{};
  QComboBox* size_combo_ = nullptr;
  QComboBox* format_combo_ = nullptr;
  QComboBox* fallback_combo_ = nullptr;  // a second format, or none
  QLabel* matte_label_ = nullptr;  // what the format does with the matte
  QLineEdit* pattern_edit_ = nullptr;
  QLabel* example_label_ = nullptr;
  QLineEdit* folder_edit_ = nullptr;
  QPushButton* browse_button_ = nullptr;
  QCheckBox* sprite_box_ = nullptr;
  QScrollArea* strip_area_ = nullptr;
  QWidget* strip_view_ = nullptr;
  QLabel* status_label_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* export_button_ = nullptr;
  QPushButton* close_button_ = nullptr;
  QTimer* update_timer_ = nullptr;
};

}  // namespace vorbel::ui
