#include "ui/layer_list_model.h"

#include <QFontMetrics>
#include <QPixmap>

#include <algorithm>

#include "ui/resources.h"

namespace vorbel::ui {

LayerListModel::LayerListModel(document::ButtonDocument& doc, QObject* parent)
    : QAbstractTableModel(parent), doc_(doc) {
  InitResources();
  visible_mark_ = ResourceIcon(QStringLiteral(":/layers/visible.png"));
  QPixmap blank(16, 16);
  blank.fill(Qt::transparent);
  no_mark_ = QIcon(blank);
  subscription_ = doc_.Subscribe(this);
}

int LayerListModel::TypeColumnWidth(const QFont& font) {
  const QFontMetrics metrics(font);
  int text = 0;
  for (const char* type : {"Background", "Bevel", "Text", "Image", "Type"}) {
    text = std::max(text, metrics.horizontalAdvance(QString::fromLatin1(type)));
  }
  // The mark, the gaps around it and the cell's margins.
  return std::max(kColumnWidths[0], text + 16 + 20);
}

int LayerListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : doc_.RowCount();
}

int LayerListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant LayerListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() < 0 || index.row() >= doc_.RowCount() || index.column() < 0 ||
      index.column() >= kColumnCount) {
    return {};
  }
  const document::LayerRow& row = doc_.Row(index.row());
  const auto column = static_cast<Column>(index.column());
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      if (column == Column::Type) return QString::fromStdString(row.type);
      // The sub-items follow the Type column in their own order.
      return QString::fromStdString(row.SubItemText(static_cast<document::SubItem>(index.column() - 1)));
    case Qt::DecorationRole:
      if (column != Column::Type) return {};
      return row.image_index == document::kVisibleImage ? visible_mark_ : no_mark_;
    default:
      return {};
  }
}

QVariant LayerListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (static_cast<Column>(section)) {
    case Column::Type: return tr("Type");
    case Column::Properties: return tr("Properties");
    case Column::Left: return tr("Left");
    case Column::Top: return tr("Top");
  }
  return {};
}

Qt::ItemFlags LayerListModel::flags(const QModelIndex& index) const {
  // Captions are not editable in place.
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void LayerListModel::RowAboutToBeInserted(int row) {
  changing_ = true;
  beginInsertRows({}, row, row);
}

void LayerListModel::RowInserted(int) {
  endInsertRows();
  changing_ = false;
}

void LayerListModel::RowAboutToBeRemoved(int row) {
  changing_ = true;
  beginRemoveRows({}, row, row);
}

void LayerListModel::RowRemoved(int) {
  endRemoveRows();
  changing_ = false;
}

void LayerListModel::RowsExchanged(int first) {
  emit dataChanged(index(first, 0), index(first + 1, kColumnCount - 1));
}

void LayerListModel::RowChanged(int row) {
  emit dataChanged(index(row, 0), index(row, kColumnCount - 1));
}

void LayerListModel::RowsAboutToBeReset() {
  changing_ = true;
  beginResetModel();
}

void LayerListModel::RowsReset() {
  endResetModel();
  changing_ = false;
}

}  // namespace vorbel::ui
