#include "app/cListModel.h"

#include <QMimeData>
#include <set>

#include "app/cColumnFit.h"

namespace {
const char* const kHeaders[] = {"תוית", "צפונית", "מזרחית", "גובה", "הערה", "מרחק"};
using ColumnFit::Is_Number_Column;
}  // namespace

// Coordinates, altitude and distance are laid out left to right inside the right-to-left list
// ("-300" and "N31 46' 5.88" keep their order), still at the cell's right edge.
void cNumberDelegate::initStyleOption(QStyleOptionViewItem* option,
                                      const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  if (Is_Number_Column(index.column())) {
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

bool cListModel::Set_Row(int row, const cVQRow& text) {
  if (row < 1 || row > m_rows.size()) return false;
  m_rows[row - 1] = text;
  emit dataChanged(index(row - 1, 0), index(row - 1, 5));
  return true;
}

const char* const cListModel::kRowsMime = "application/x-vq-rows";

Qt::ItemFlags cListModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags f = QAbstractTableModel::flags(index);
  if (!index.isValid()) return f;
  f |= Qt::ItemIsDragEnabled;
  if (On_Edit && index.column() < 5) f |= Qt::ItemIsEditable;
  return f;
}

bool cListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || !On_Edit) return false;
  return On_Edit(index.row(), index.column(), value.toString());
}

QStringList cListModel::mimeTypes() const { return {QString::fromLatin1(kRowsMime)}; }

QMimeData* cListModel::mimeData(const QModelIndexList& indexes) const {
  std::set<int> rows;
  for (const QModelIndex& i : indexes) rows.insert(i.row());
  QStringList numbers;
  for (int r : rows) numbers << QString::number(r);
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kRowsMime), numbers.join(QLatin1Char(' ')).toLatin1());
  return data;
}

int cListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_rows.size();
}

int cListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 6; }

QVariant cListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= m_rows.size()) return {};
  const QString& text = m_rows[index.row()][size_t(index.column())];
  if (role == Qt::DisplayRole) return text;
  // Label and comment give way to the numbers; the whole text is a hover away.
  if (role == Qt::ToolTipRole && !Is_Number_Column(index.column()) && !text.isEmpty()) return text;
  return {};
}

void cListModel::Set_Grid_Headers(bool grid) {
  if (grid == m_grid) return;
  m_grid = grid;
  emit headerDataChanged(Qt::Horizontal, 1, 2);
}

QVector<int> cListModel::Longest_Rows(int column, int most) const {
  QVector<int> rows;
  if (column < 0 || column > 5) return rows;
  qsizetype longest = 0;
  for (const cVQRow& row : m_rows) longest = qMax(longest, row[size_t(column)].size());
  for (int r = 0; r < m_rows.size() && rows.size() < most; ++r)
    if (m_rows[r][size_t(column)].size() == longest) rows << r;
  return rows;
}

QVariant cListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 5)
    return {};
  if (m_grid && (section == 1 || section == 2)) section = 3 - section;
  return QString::fromUtf8(kHeaders[section]);
}
