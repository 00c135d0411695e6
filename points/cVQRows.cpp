#include "points/cVQRows.h"

#include <cmath>

#include "geo/CvtUtil.h"
#include "geo/NumText.h"
#include "geo/Xlate.h"
#include "geo/cProjGrids.h"

namespace {
QString Num(double value) { return QString::fromStdString(NumText::Num_Text(value)); }
QString Rounded(double value, int places) {
  return QString::fromStdString(NumText::Rounded_Text(value, places));
}
// A whole number of metres, as Num gives it but without its general conversion.
QString Metres(double whole) {
  return std::fabs(whole) < 1e15 ? QString::number(qlonglong(whole)) : Num(whole);
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

QString cVQRows::Text(int row, int column) const {
  if (row < 0 || row >= Count() || column < 0 || column > 5) return {};
  if (!d->texts.isEmpty()) return d->texts[row][size_t(column)];
  const cVQRec& p = d->store.recs[size_t(row)];
  switch (column) {
    case 0:
      return d->store.Label(p);
    case 1:
    case 2:
      if (d->coorSys == 0) return QString::fromStdString(CvtUtil::LatLon_Text(column == 1 ? p.lat : p.lon, column - 1));
      if (d->proj) {
        const double E = d->E[size_t(row)], N = d->N[size_t(row)];
        if (!std::isfinite(E) || !std::isfinite(N)) return {};
        return Metres(cProjGrids::Whole_Metres(column == 1 ? E : N));
      }
      if (d->coorSys == 1) {
        double E = 0, N = 0;
        Xlate::LatLon_To_ITM(p.lat, p.lon, E, N);
        return Num(column == 1 ? E : N);
      }
      return {};
    case 3:
      return std::isfinite(p.alt) ? Rounded(p.alt, 1) : QString();
    case 4:
      return d->store.Comment(p);
    default: {
      if (row == 0) return {};
      const cVQRec& prev = d->store.recs[size_t(row) - 1];
      QString text = Rounded(cVQPoint::Leg_Km(prev.lat, prev.lon, p.lat, p.lon), 2);
      if (text.startsWith(QLatin1Char('.'))) text.prepend(QLatin1Char('0'));
      return text;
    }
  }
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
