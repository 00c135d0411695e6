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
  cVQRow Row(int row) const;
  QVector<cVQRow> All() const;
  // The sum of the legs, in km at full precision.
  double Total_Km() const;

 private:
  friend class cVQPoints;
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
