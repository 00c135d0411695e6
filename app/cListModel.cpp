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

void cListModel::Set_Rows(QVector<cVQRow> rows) { Show_Rows(cVQRows(std::move(rows))); }

void cListModel::Show_Rows(const cVQRows& rows) {
  beginResetModel();
  m_rows = rows;
  m_edited.clear();
  endResetModel();
}

QString cListModel::Cell(int row0, int column0) const {
  const auto it = m_edited.constFind(row0);
  if (it == m_edited.constEnd()) return m_rows.Text(row0, column0);
  return column0 >= 0 && column0 < 6 ? (*it)[size_t(column0)] : QString();
}

QString cListModel::Row_Text(int row, int column) const { return Cell(row - 1, column - 1); }

bool cListModel::Set_Row(int row, const cVQRow& text) {
  if (row < 1 || row > m_rows.Count()) return false;
  m_edited.insert(row - 1, text);
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
  return parent.isValid() ? 0 : m_rows.Count();
}

int cListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 6; }

QVariant cListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  const QString text = Cell(index.row(), index.column());
  if (role == Qt::DisplayRole) return text;
  // Label and comment give way to the numbers; the whole text is a hover away.
  if (!Is_Number_Column(index.column()) && !text.isEmpty()) return text;
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
  std::vector<qsizetype> sizes(size_t(m_rows.Count()));
  qsizetype longest = 0;
  for (int r = 0; r < m_rows.Count(); ++r)
    longest = qMax(longest, sizes[size_t(r)] = m_edited.contains(r) ? Cell(r, column).size()
                                                                    : m_rows.Size(r, column));
  for (int r = 0; r < m_rows.Count() && rows.size() < most; ++r)
    if (sizes[size_t(r)] == longest) rows << r;
  return rows;
}

QVariant cListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 5)
    return {};
  if (m_grid && (section == 1 || section == 2)) section = 3 - section;
  return QString::fromUtf8(kHeaders[section]);
}
