#pragma once
#include <QString>
#include <QVector>
#include <array>

// A row of the point list: label, first coordinate, second coordinate, altitude, comment and
// leg distance, as the list shows them.
using cVQRow = std::array<QString, 6>;
class cVQRows;

// What cVQPoints fills: the window's list view, or vqtool's text list. The rows are handed over
// in one batch so that a long list is shown with one repaint.
class cVQList {
 public:
  virtual ~cVQList() = default;
  virtual void Set_Rows(QVector<cVQRow> rows) = 0;
  // What Redisplay hands over: rows whose texts are made when asked for. A list that keeps
  // texts takes them all.
  virtual void Show_Rows(const cVQRows& rows);
  virtual int Row_Count() const = 0;
  // 1-based row and column, as the list view numbers its items and sub-items.
  virtual QString Row_Text(int row, int column) const = 0;
  // Replaces one row (1-based) in place, for an edit of one point in a long list; false for a
  // list that only takes whole batches.
  virtual bool Set_Row(int, const cVQRow&) { return false; }
};
