#pragma once
// The rows of the point list for one display, made when a row is asked for: a list view shows
// a few dozen of 200,000 rows, so the rows keep the points' numbers (and, for a display through
// PROJ, the grid values made in one batch), not six texts a point.
#include <memory>
#include <vector>

#include "points/cVQList.h"
#include "points/cVQStore.h"

class cVQRows {
 public:
  cVQRows() = default;
  // Rows given as texts, for a list filled without points.
  explicit cVQRows(QVector<cVQRow> texts);

  int Count() const;
  // 0-based row and column; empty outside the rows.
  QString Text(int row, int column) const;
  // The length of that text, made without the text where it can be.
  qsizetype Size(int row, int column) const;
  cVQRow Row(int row) const;
  QVector<cVQRow> All() const;
  // The sum of the legs, in km at full precision.
  double Total_Km() const;

 private:
  friend class cVQPoints;
  // A number column's text (1, 2, 3 or 5) into out (room for 48); its length.
  int Number_Chars(int row, int column, char* out) const;
  struct cData {
    cVQStore store;
    qint16 coorSys = 0;
    bool proj = false;
    std::vector<double> E, N;  // the grid values through PROJ, when proj
    double total_km = 0;
    QVector<cVQRow> texts;
  };
  std::shared_ptr<const cData> d;
};
