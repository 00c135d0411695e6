#include "app/cListModel.h"

namespace {
const char* const kHeaders[] = {"תוית", "צפונית", "מזרחית", "גובה", "הערה", "מרחק"};
}  // namespace

// Coordinates, altitude and distance are laid out left to right inside the right-to-left list
// ("-300" and "N31 46' 5.88" keep their order), still at the cell's right edge.
void cNumberDelegate::initStyleOption(QStyleOptionViewItem* option,
                                      const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  if (index.column() != 0 && index.column() != 4) {
    option->direction = Qt::LeftToRight;
    option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
  }
}

void cListModel::Set_Rows(QVector<cVQRow> rows) {
  beginResetModel();
  m_rows = std::move(rows);
  endResetModel();
}

QString cListModel::Row_Text(int row, int column) const {
  if (row < 1 || row > m_rows.size() || column < 1 || column > 6) return QString();
  return m_rows[row - 1][size_t(column - 1)];
}

int cListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_rows.size();
}

int cListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 6; }

QVariant cListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= m_rows.size()) return {};
  if (role != Qt::DisplayRole) return {};
  return m_rows[index.row()][size_t(index.column())];
}

QVariant cListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 5)
    return {};
  return QString::fromUtf8(kHeaders[section]);
}
