#include "points/cVQRows.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "geo/CvtUtil.h"
#include "geo/NumText.h"
#include "geo/Xlate.h"
#include "geo/cProjGrids.h"

namespace {
int Rounded_Chars(double value, int places, char* out) {
  return NumText::Num_Chars(NumText::Round_Half_Even(value, places), out);
}
// A whole number of metres, as Num_Chars gives it but without its general conversion.
int Metres_Chars(double whole, char* out) {
  if (!(std::fabs(whole) < 1e15)) return NumText::Num_Chars(whole, out);
  return int(std::to_chars(out, out + 40, qlonglong(whole)).ptr - out);
}
}  // namespace

cVQRows::cVQRows(QVector<cVQRow> texts) {
  auto data = std::make_shared<cData>();
  data->texts = std::move(texts);
  d = std::move(data);
}

int cVQRows::Count() const {
  if (!d) return 0;
  return d->texts.isEmpty() ? int(d->store.recs.size()) : int(d->texts.size());
}

int cVQRows::Number_Chars(int row, int column, char* out) const {
  const cVQRec& p = d->store.recs[size_t(row)];
  switch (column) {
    case 1:
    case 2: {
      if (d->coorSys == 0) {
        const std::string text = CvtUtil::LatLon_Text(column == 1 ? p.lat : p.lon, column - 1);
        const int n = int(qMin(text.size(), size_t(40)));
        std::copy(text.begin(), text.begin() + n, out);
        return n;
      }
      if (d->proj) {
        const double E = d->E[size_t(row)], N = d->N[size_t(row)];
        if (!std::isfinite(E) || !std::isfinite(N)) return 0;
        return Metres_Chars(cProjGrids::Whole_Metres(column == 1 ? E : N), out);
      }
      if (d->coorSys != 1) return 0;
      double E = 0, N = 0;
      Xlate::LatLon_To_ITM(p.lat, p.lon, E, N);
      return NumText::Num_Chars(column == 1 ? E : N, out);
    }
    case 3:
      return std::isfinite(p.alt) ? Rounded_Chars(p.alt, 1, out) : 0;
    default: {
      if (row == 0) return 0;
      const cVQRec& prev = d->store.recs[size_t(row) - 1];
      int n = Rounded_Chars(cVQPoint::Leg_Km(prev.lat, prev.lon, p.lat, p.lon), 2, out);
      if (out[0] == '.') {
        std::memmove(out + 1, out, size_t(n));
        out[0] = '0';
        ++n;
      }
      return n;
    }
  }
}

QString cVQRows::Text(int row, int column) const {
  if (row < 0 || row >= Count() || column < 0 || column > 5) return {};
  if (!d->texts.isEmpty()) return d->texts[row][size_t(column)];
  const cVQRec& p = d->store.recs[size_t(row)];
  if (column == 0) return d->store.Label(p);
  if (column == 4) return d->store.Comment(p);
  char buf[48];
  return QString::fromLatin1(buf, Number_Chars(row, column, buf));
}

qsizetype cVQRows::Size(int row, int column) const {
  if (row < 0 || row >= Count() || column < 0 || column > 5) return 0;
  if (!d->texts.isEmpty()) return d->texts[row][size_t(column)].size();
  const cVQRec& p = d->store.recs[size_t(row)];
  if (column == 0 && p.label < 0) return QString::number(-qint64(p.label)).size();
  if (column == 4 && p.comment == cVQRec::kTime_Text) return 19;
  if (column == 0 || column == 4) return Text(row, column).size();
  char buf[48];
  return Number_Chars(row, column, buf);
}

cVQRow cVQRows::Row(int row) const {
  cVQRow texts;
  for (int c = 0; c < 6; ++c) texts[size_t(c)] = Text(row, c);
  return texts;
}

QVector<cVQRow> cVQRows::All() const {
  QVector<cVQRow> rows;
  rows.reserve(Count());
  for (int r = 0; r < Count(); ++r) rows.append(Row(r));
  return rows;
}

double cVQRows::Total_Km() const { return d ? d->total_km : 0; }

void cVQList::Show_Rows(const cVQRows& rows) { Set_Rows(rows.All()); }
