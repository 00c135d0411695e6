#pragma once
// The list view's rows: six columns with the Hebrew headers, filled in one batch by
// cVQPoints::Redisplay so that a long list costs one reset, not a repaint per item. A cell's
// text is made when the view asks for it.
#include <QAbstractTableModel>
#include <QHash>
#include <QStyledItemDelegate>
#include <functional>

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
  bool Set_Row(int row, const cVQRow& text) override;

  // An edit typed into a cell (0-based row and column): the window decides and changes the
  // points; the cell shows what the points then give. Label, coordinates, altitude and comment
  // can be edited, the leg cannot.
  std::function<bool(int row0, int column0, const QString& text)> On_Edit;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  // Rows dragged within the list carry their 0-based numbers under this type.
  static const char* const kRowsMime;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;

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
  // The texts of a row (0-based) edited in place since the rows were handed over.
  QString Cell(int row0, int column0) const;
  cVQRows m_rows;
  QHash<int, cVQRow> m_edited;
  bool m_grid = false;
};

class cNumberDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
