#pragma once
// vqtool's list: keeps the rows Redisplay fills and prints them, one line per row, the six
// column texts joined by TAB.
#include <QTextStream>

#include "points/cVQList.h"

class cTextList : public cVQList {
 public:
  void Set_Rows(QVector<cVQRow> rows) override { m_rows = std::move(rows); }
  int Row_Count() const override { return m_rows.size(); }
  QString Row_Text(int row, int column) const override {
    if (row < 1 || row > m_rows.size() || column < 1 || column > 6) return QString();
    return m_rows[row - 1][size_t(column - 1)];
  }
  void Print(QTextStream& out) const {
    for (const cVQRow& row : m_rows) {
      for (size_t c = 0; c < row.size(); ++c) out << (c ? "\t" : "") << row[c];
      out << '\n';
    }
  }

 private:
  QVector<cVQRow> m_rows;
};
