#pragma once
// The layer rows of a ButtonDocument as a table for the layer list: columns
// "Type", "Properties", "Left" and "Top", the visible mark beside the Type of
// a row whose image index is 0 (any other value shows an empty space of the
// mark's size, so the types of all rows line up).
//
// The model follows the document through its observer notifications and
// brackets every structural change, so views keep their selection and scroll
// position. It never changes the document itself.

#include <QAbstractTableModel>
#include <QIcon>

#include "document/button_document.h"
#include "document/document_observer.h"

namespace vorbel::ui {

class LayerListModel final : public QAbstractTableModel, private document::DocumentObserver {
  Q_OBJECT

 public:
  // The columns: the Type, then the row's sub-items in their order.
  enum class Column { Type, Properties, Left, Top };
  static constexpr int kColumnCount = 4;
  // The least column widths of the list in pixels; the Type column grows to
  // show the longest type name whole (TypeColumnWidth).
  static constexpr int kColumnWidths[kColumnCount] = {70, 300, 50, 50};
  // The width the Type column needs for "Background" and the mark in `font`.
  static int TypeColumnWidth(const QFont& font);

  // `doc` must outlive every use of the model; the model may outlive it.
  explicit LayerListModel(document::ButtonDocument& doc, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // True from the start to the end of a change of the rows' number or order.
  bool Changing() const { return changing_; }

 private:
  void RowAboutToBeInserted(int row) override;
  void RowInserted(int row) override;
  void RowAboutToBeRemoved(int row) override;
  void RowRemoved(int row) override;
  void RowsExchanged(int first) override;
  void RowChanged(int row) override;
  void RowsAboutToBeReset() override;
  void RowsReset() override;

  document::ButtonDocument& doc_;
  document::DocumentSubscription subscription_;
  QIcon visible_mark_;
  QIcon no_mark_;
  bool changing_ = false;
};

}  // namespace vorbel::ui
