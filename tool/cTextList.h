#pragma once
// vqtool's list: keeps the rows Redisplay fills and prints them, one line per row, the six
// column texts joined by TAB.
#include <QTextStream>

#include "points/cVQList.h"
#include "points/cVQRows.h"

class cTextList : public cVQList {
 public:
  void Set_Rows(QVector<cVQRow> rows) override { m_rows = cVQRows(std::move(rows)); }
  void Show_Rows(const cVQRows& rows) override { m_rows = rows; }
  int Row_Count() const override { return m_rows.Count(); }
  QString Row_Text(int row, int column) const override { return m_rows.Text(row - 1, column - 1); }
  void Print(QTextStream& out) const {
    for (int r = 0; r < m_rows.Count(); ++r) {
      for (int c = 0; c < 6; ++c) out << (c ? "\t" : "") << m_rows.Text(r, c);
      out << '\n';
    }
  }

 private:
  cVQRows m_rows;
};
