#pragma once
// The colour picker: a drop-down list of named colours, each shown with a
// swatch, over a ColorList, and "Other colour…" at its end.

#include "base/color.h"
#include "document/color_list.h"
#include "document/color_list_observer.h"

#include <QColor>
#include <QComboBox>
#include <QStyledItemDelegate>

#include <functional>
#include <memory>
#include <optional>

namespace vorbel::controls {

// Draws one entry of a colour list: fills `rect` with the background (the
// highlight colour when selected), draws a swatch framed by a one-pixel black
// line from (left+1, top+1) to (left+colorWidth-1, top+itemHeight-1), right and
// bottom edges excluded, filled with `color`, and writes `name` from
// left+colorWidth+4 on, vertically centred, in the highlight-text colour when
// selected. An "&" in the name underlines the next character. Without
// `swatch` the text alone is drawn, in the same place.
void DrawColorEntry(QPainter& painter, const QRect& rect, const QString& name, base::Color color, bool selected,
                    int colorWidth, int itemHeight, const QPalette& palette, const QFont& font, bool swatch = true);

// Asks the user for a colour, starting from `initial`; nothing when cancelled.
using ColorChooser = std::function<std::optional<QColor>(QWidget* parent, const QColor& initial)>;

// The Qt colour of a list colour, as the button draws it (system colours
// resolve through the program's one table).
QColor ToQColor(base::Color color);

// The popup's entries, drawn by DrawColorEntry at a fixed height.
class ColorEntryDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  // Item data roles: Qt::DisplayRole holds the name, kColorRole the colour;
  // kOtherRole marks the "Other colour…" item, which has no colour.
  static constexpr int kColorRole = Qt::UserRole;
  static constexpr int kOtherRole = Qt::UserRole + 1;

  ColorEntryDelegate(const document::ColorList& list, int itemHeight, QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  const document::ColorList& list_;
  int item_height_;
};

// A colour combo box: a drop-down list (nothing can be typed) whose entries
// are those of a ColorList, followed by the item "Other colour…". The list is
// the data: programs select through SelectColor or SelectColorName, or
// through the list itself, and no signal is emitted then. A selection by the
// user (mouse, keys or wheel) sets the list's selection and emits clicked()
// and then changed().
//
// Choosing "Other colour…" in the open list asks for a colour through the
// colour chooser (the platform's colour dialog unless replaced); the colour
// chosen is selected, in a new entry named by its colour text when no entry
// holds it, as a user's pick. Cancelling keeps the selection. Stepping
// through the closed box with the keys or the wheel stops at the last colour
// and never opens the dialog.
class ColorComboBox : public QComboBox, private document::ColorListObserver {
  Q_OBJECT

 public:
  static constexpr int kItemHeight = 16;
  static constexpr int kControlHeight = 22;
  static constexpr int kDropDownCount = 8;

  // A combo over its own, empty list.
  explicit ColorComboBox(QWidget* parent = nullptr);
  // A combo over `list`, which must outlive every use of the combo; the combo
  // may outlive it.
  explicit ColorComboBox(document::ColorList& list, QWidget* parent = nullptr);

  ColorComboBox(const ColorComboBox&) = delete;
  ColorComboBox& operator=(const ColorComboBox&) = delete;

  document::ColorList& List() { return *list_; }
  const document::ColorList& List() const { return *list_; }

  int ColorWidth() const { return list_->ColorWidth(); }
  // Values below 5 are refused.
  void SetColorWidth(int width) { list_->SetColorWidth(width); }
  document::ColorSortOrder SortOrder() const { return list_->SortOrder(); }
  void SetSortOrder(document::ColorSortOrder sortBy) { list_->SetSortOrder(sortBy); }
  // Always "1.00.00".
  static QString Version() { return QString::fromLatin1(document::ColorList::Version()); }
  int ItemHeight() const { return kItemHeight; }

  int AddColor(const QString& name, base::Color color);
  // The selected entry's colour, -1 when none is selected.
  base::Color GetSelectedColor() const { return list_->GetSelectedColor(); }
  // Select the first matching entry; nothing changes (false) when none matches.
  bool SelectColor(base::Color color) { return list_->SelectColor(color); }
  bool SelectColorName(const QString& name);
  // Replaces the entries with a copy of another combo's, names and colours
  // together; nothing is selected afterwards.
  void AssignEntries(const ColorComboBox& other);

  // The item index of "Other colour…": the number of colour entries.
  int OtherColorIndex() const { return list_->Count(); }
  // Asks for another colour as choosing "Other colour…" does.
  void ChooseOtherColor();

  // The chooser every colour combo asks; an empty one restores the
  // platform's colour dialog. The program's windows put theirs in place.
  static void SetColorChooser(ColorChooser chooser);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  // A user's pick: clicked() first, then changed(). Never for the program's
  // selections.
  void clicked();
  void changed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void Init();
  void Rebuild();
  void UserActivated(int index);

  // ColorListObserver
  void ColorEntriesChanged() override;
  void ColorSelectionChanged(document::SelectionSource source) override;
  void ColorWidthChanged() override;

  std::unique_ptr<document::ColorList> own_list_;
  document::ColorList* list_ = nullptr;
  document::ColorListSubscription subscription_;
  // True while a key or the wheel steps through the closed box.
  bool stepping_ = false;
};

// Clears the combo and adds the program's 18 standard colours in order.
void FillColorList(ColorComboBox& combo);

}  // namespace vorbel::controls
