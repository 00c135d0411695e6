#pragma once
// The list view's rows: six columns with the Hebrew headers, filled in one batch by
// cVQPoints::Redisplay so that a long list costs one reset, not a repaint per item. A cell's
// text is made when the view asks for it.
#include <QAbstractTableModel>
#include <QStyledItemDelegate>

#include "points/cVQList.h"
#include "points/cVQRows.h"

class cListModel : public QAbstractTableModel, public cVQList {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void Set_Rows(QVector<cVQRow> rows) override;
  void Show_Rows(const cVQRows& rows) override;
  int Row_Count() const override { return m_rows.Count(); }
  QString Row_Text(int row, int column) const override;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // In a grid display the first coordinate column holds the easting and the second the
  // northing, so their headers trade places; in the latitude/longitude display they do not.
  void Set_Grid_Headers(bool grid);
  // Up to `most` 0-based rows whose text in `column` (0-based) has the most characters.
  QVector<int> Longest_Rows(int column, int most) const;

 private:
  cVQRows m_rows;
  bool m_grid = false;
};

class cNumberDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
