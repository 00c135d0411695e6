// Editing the collection: a point replaced, points inserted, removed or put in another order,
// and the rows of the list that such an edit changes.
#include <QSet>

#include "points/cVQPoints.h"

bool cVQPoints::Replace(int index, cVQPoint point) {
  if (index < 1 || index > Count()) return false;
  const int at = Find_Pos(point.Label, Hash_Of(point.Label));
  if (at >= 0 && at != index - 1) return false;
  m_store.recs[size_t(index - 1)] = m_store.Record(std::move(point));
  Drop_View();
  Reindex();
  return true;
}

bool cVQPoints::Insert_Rows(const std::vector<int>& rows0, std::vector<cVQPoint> points) {
  if (rows0.size() != points.size()) return false;
  const int total = Count() + int(points.size());
  QSet<QString> keys;
  for (size_t i = 0; i < rows0.size(); ++i) {
    if (rows0[i] < 0 || rows0[i] >= total || (i > 0 && rows0[i] <= rows0[i - 1])) return false;
    const QString key = points[i].Label.toCaseFolded();
    if (Find_Pos(points[i].Label, Hash_Of(points[i].Label)) >= 0 || keys.contains(key))
      return false;
    keys.insert(key);
  }
  std::vector<cVQRec> merged;
  merged.reserve(size_t(total));
  size_t from_old = 0, from_new = 0;
  for (int r = 0; r < total; ++r) {
    if (from_new < rows0.size() && rows0[from_new] == r) {
      merged.push_back(m_store.Record(std::move(points[from_new++])));
    } else {
      merged.push_back(m_store.recs[from_old++]);
    }
  }
  m_store.recs = std::move(merged);
  Drop_View();
  Reindex();
  return true;
}

bool cVQPoints::Reorder(const std::vector<int>& order0) {
  if (order0.size() != m_store.recs.size()) return false;
  std::vector<char> used(order0.size(), 0);
  for (int r : order0) {
    if (r < 0 || size_t(r) >= used.size() || used[size_t(r)]) return false;
    used[size_t(r)] = 1;
  }
  std::vector<cVQRec> moved;
  moved.reserve(m_store.recs.size());
  for (int r : order0) moved.push_back(m_store.recs[size_t(r)]);
  m_store.recs = std::move(moved);
  Drop_View();
  Reindex();
  return true;
}

QString cVQPoints::Free_Label() const {
  for (qint64 n = Count() + 1;; ++n) {
    const QString label = QString::number(n);
    if (Find_Pos(label, Hash_Of(label)) < 0) return label;
  }
}

void cVQPoints::Redisplay_Rows(int first, int last) {
  if (!lv) return;
  first = qMax(first, 1);
  last = qMin(last + 1, Count());
  if (lv->Row_Count() != Count()) return Redisplay();
  if (first > last) return;
  const QVector<cVQRow> rows = Rows(m_CoorSys, nullptr, first - 1, last - first + 1);
  for (int i = 0; i < rows.size(); ++i)
    if (!lv->Set_Row(first + i, rows[i])) return Redisplay();
  // The total as Redisplay sums it, leg by leg from the first point.
  const std::vector<cVQRec>& recs = m_store.recs;
  double total = 0;
  for (size_t i = 1; i < recs.size(); ++i)
    total += cVQPoint::Leg_Km(recs[i - 1].lat, recs[i - 1].lon, recs[i].lat, recs[i].lon);
  m_shown_total_km = total;
}
