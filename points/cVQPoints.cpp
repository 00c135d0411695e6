#include "points/cVQPoints.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// A label's number as text, in a buffer of the caller's.
QStringView Number_Text(qint64 number, char16_t (&buf)[24]) {
  int at = 24;
  const bool minus = number < 0;
  quint64 n = minus ? quint64(-number) : quint64(number);
  do {
    buf[--at] = char16_t(u'0' + n % 10);
    n /= 10;
  } while (n);
  if (minus) buf[--at] = u'-';
  return QStringView(buf + at, 24 - at);
}
}  // namespace

void cVQPoints::Set_CoorSys(qint16 vData) {
  m_CoorSys = vData;
  Redisplay();
}

bool cVQPoints::Add(const QString& Label, double lat, double lon, double alt,
                    const QString& Comment) {
  cVQPoint p;
  p.Label = Label;
  p.lat = lat;
  p.lon = lon;
  p.alt = alt;
  p.Comment = Comment;
  return Add(std::move(p));
}

bool cVQPoints::Add(cVQPoint point) {
  if (Find_Pos(point.Label, Hash_Of(point.Label)) >= 0) return false;
  const size_t texts = m_store.texts.size();
  if (Add_Record(m_store.Record(std::move(point)))) return true;
  m_store.texts.resize(texts);
  return false;
}

bool cVQPoints::Add_From(const cVQStore& from, size_t i) {
  cVQRec rec = from.recs.at(i);
  char16_t buf[24];
  const QStringView label = rec.label < 0 ? Number_Text(-qint64(rec.label), buf)
                                          : QStringView(from.texts[size_t(rec.label)]);
  if (Find_Pos(label, Hash_Of(label)) >= 0) return false;
  const size_t texts = m_store.texts.size();
  for (qint32* text : {&rec.label, &rec.comment}) {
    if (*text < 0) continue;
    m_store.texts.push_back(from.texts[size_t(*text)]);
    *text = qint32(m_store.texts.size() - 1);
  }
  if (Add_Record(rec)) return true;
  m_store.texts.resize(texts);
  return false;
}

bool cVQPoints::Add_Record(const cVQRec& rec) {
  if (m_store.recs.size() >= size_t(std::numeric_limits<int32_t>::max() / 2)) return false;
  m_store.recs.push_back(rec);
  const int pos = int(m_store.recs.size()) - 1;
  if (m_slots.size() < m_store.recs.size() * 2) {
    Reindex();
  } else {
    Insert_Pos(Hash_At(size_t(pos)), pos);
  }
  if (m_viewed) m_view.push_back(m_store.Point(rec));
  return true;
}

void cVQPoints::Reserve(int n) {
  m_store.recs.reserve(size_t(qMax(n, 0)));
  if (m_slots.size() < size_t(qMax(n, 0)) * 2) {
    size_t size = 16;
    while (size < size_t(n) * 2) size *= 2;
    m_slots.assign(size, cSlot());
    for (size_t i = 0; i < m_store.recs.size(); ++i) Insert_Pos(Hash_At(i), int(i));
  }
}

const std::vector<cVQPoint>& cVQPoints::View() const {
  if (!m_viewed) {
    m_view.clear();
    m_view.reserve(m_store.recs.size());
    for (const cVQRec& r : m_store.recs) m_view.push_back(m_store.Point(r));
    m_viewed = true;
  }
  return m_view;
}

void cVQPoints::Drop_View() {
  m_view = std::vector<cVQPoint>();
  m_viewed = false;
}

const cVQPoint& cVQPoints::Item(int index) const { return View().at(size_t(index - 1)); }

const cVQPoint* cVQPoints::Find(const QString& key) const {
  const int pos = Find_Pos(key, Hash_Of(key));
  return pos < 0 ? nullptr : &View()[size_t(pos)];
}

bool cVQPoints::Remove(int index) {
  if (index < 1 || index > Count()) return false;
  m_store.recs.erase(m_store.recs.begin() + (index - 1));
  if (m_viewed) m_view.erase(m_view.begin() + (index - 1));
  Reindex();
  return true;
}

bool cVQPoints::Remove(const QString& key) {
  const int pos = Find_Pos(key, Hash_Of(key));
  return pos >= 0 && Remove(pos + 1);
}

void cVQPoints::Reverse() {
  std::vector<cVQRec>& recs = m_store.recs;
  const size_t n = recs.size();
  if (n < 2) return;
  // The point after a segment's start ends the reversed segment before it: each mark moves to
  // the point before, and the new first point takes the old first one's.
  const bool first_mark = recs.front().new_segment;
  for (size_t i = 0; i + 1 < n; ++i) recs[i].new_segment = recs[i + 1].new_segment;
  recs.back().new_segment = first_mark;
  std::reverse(recs.begin(), recs.end());
  for (cSlot& slot : m_slots)
    if (slot.pos >= 0) slot.pos = int32_t(n) - 1 - slot.pos;
  Drop_View();
}

void cVQPoints::Keep(const std::vector<int>& kept_rows0) {
  std::vector<cVQRec>& recs = m_store.recs;
  std::vector<cVQRec> kept;
  kept.reserve(kept_rows0.size());
  int next = 0;  // the first row not yet kept or dropped
  for (const int row : kept_rows0) {
    if (row < next || row >= Count()) continue;
    bool mark = false;
    for (int i = next; i < row; ++i) mark = mark || recs[size_t(i)].new_segment;
    kept.push_back(recs[size_t(row)]);
    if (mark) kept.back().new_segment = true;
    next = row + 1;
  }
  recs = std::move(kept);
  Drop_View();
  Reindex();
}

void cVQPoints::Clear() {
  m_store = cVQStore();
  m_slots = std::vector<cSlot>();
  Drop_View();
  Title.clear();
  From_Track = false;
  From_Grid = false;
}

uint32_t cVQPoints::Hash_Of(QStringView label) {
  // FNV-1a over the case-folded code points.
  uint32_t h = 2166136261u;
  for (qsizetype i = 0; i < label.size(); ++i) {
    char32_t c = label[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < label.size() && label[i + 1].isLowSurrogate())
      c = QChar::surrogateToUcs4(char16_t(c), label[++i].unicode());
    c = QChar::toCaseFolded(c);
    for (int b = 0; b < 3; ++b, c >>= 8) h = (h ^ (c & 0xFF)) * 16777619u;
  }
  return h;
}

uint32_t cVQPoints::Hash_At(size_t pos) const {
  const cVQRec& r = m_store.recs[pos];
  if (r.label >= 0) return Hash_Of(m_store.texts[size_t(r.label)]);
  char16_t buf[24];
  return Hash_Of(Number_Text(-qint64(r.label), buf));
}

int cVQPoints::Find_Pos(QStringView label, uint32_t hash) const {
  if (m_slots.empty()) return -1;
  const size_t mask = m_slots.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const cSlot& s = m_slots[i];
    if (s.pos < 0) return -1;
    if (s.hash != hash) continue;
    const cVQRec& r = m_store.recs[size_t(s.pos)];
    char16_t buf[24];
    const QStringView other = r.label >= 0 ? QStringView(m_store.texts[size_t(r.label)])
                                           : Number_Text(-qint64(r.label), buf);
    if (label.compare(other, Qt::CaseInsensitive) == 0) return s.pos;
  }
}

void cVQPoints::Insert_Pos(uint32_t hash, int pos) {
  const size_t mask = m_slots.size() - 1;
  size_t i = hash & mask;
  while (m_slots[i].pos >= 0) i = (i + 1) & mask;
  m_slots[i] = {hash, pos};
}

void cVQPoints::Reindex() {
  size_t size = 16;
  while (size < m_store.recs.size() * 2) size *= 2;
  m_slots.assign(size, cSlot());
  for (size_t i = 0; i < m_store.recs.size(); ++i) Insert_Pos(Hash_At(i), int(i));
}

QVector<cVQRow> cVQPoints::Rows(qint16 coorSys, double* total_km, int first0, int count) const {
  first0 = qBound(0, first0, Count());
  const cVQRows rows = Lazy_Rows(coorSys, first0, count);
  if (total_km) *total_km = rows.Total_Km();
  QVector<cVQRow> all = rows.All();
  // The row before the first is there only for the first leg.
  if (first0 > 0 && !all.isEmpty()) all.removeFirst();
  return all;
}

cVQRows cVQPoints::Lazy_Rows(qint16 coorSys, int first0, int count) const {
  first0 = qBound(0, first0, Count());
  count = count < 0 ? Count() - first0 : qMin(count, Count() - first0);
  const size_t lo = size_t(first0 > 0 ? first0 - 1 : 0), hi = size_t(first0 + count);
  auto d = std::make_shared<cVQRows::cData>();
  d->store.texts = m_store.texts;
  d->store.recs.assign(m_store.recs.begin() + lo, m_store.recs.begin() + hi);
  d->coorSys = coorSys;
  d->proj = Proj_Grid(coorSys, d->E, d->N, lo, hi - lo);
  const std::vector<cVQRec>& recs = d->store.recs;
  for (size_t i = 1; i < recs.size(); ++i)
    d->total_km += cVQPoint::Leg_Km(recs[i - 1].lat, recs[i - 1].lon, recs[i].lat, recs[i].lon);
  cVQRows rows;
  rows.d = std::move(d);
  return rows;
}

void cVQPoints::Redisplay() {
  if (!lv) return;
  const cVQRows rows = Lazy_Rows(m_CoorSys);
  m_shown_total_km = rows.Total_Km();
  lv->Show_Rows(rows);
}
