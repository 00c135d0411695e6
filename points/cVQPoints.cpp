#include "points/cVQPoints.h"

#include <algorithm>
#include <cmath>

#include "geo/CvtUtil.h"
#include "geo/NumText.h"
#include "geo/VectorState.h"
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

QString cVQPoints::Key_Of(const QString& label) { return label.toCaseFolded(); }

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
  const QString key = Key_Of(point.Label);
  if (m_index.contains(key)) return false;
  m_index.insert(key, int(m_points.size()));
  m_points.push_back(std::move(point));
  return true;
}

void cVQPoints::Reserve(int n) {
  m_points.reserve(size_t(qMax(n, 0)));
  m_index.reserve(qMax(n, 0));
}

const cVQPoint& cVQPoints::Item(int index) const { return m_points.at(size_t(index - 1)); }

const cVQPoint* cVQPoints::Find(const QString& key) const {
  const auto it = m_index.constFind(Key_Of(key));
  return it == m_index.constEnd() ? nullptr : &m_points[size_t(*it)];
}

bool cVQPoints::Remove(int index) {
  if (index < 1 || index > Count()) return false;
  m_points.erase(m_points.begin() + (index - 1));
  Reindex();
  return true;
}

bool cVQPoints::Remove(const QString& key) {
  const auto it = m_index.constFind(Key_Of(key));
  return it != m_index.constEnd() && Remove(*it + 1);
}

void cVQPoints::Reverse() {
  const size_t n = m_points.size();
  if (n < 2) return;
  // The point after a segment's start ends the reversed segment before it: each mark moves to
  // the point before, and the new first point takes the old first one's.
  const bool first_mark = m_points.front().New_Segment;
  for (size_t i = 0; i + 1 < n; ++i) m_points[i].New_Segment = m_points[i + 1].New_Segment;
  m_points.back().New_Segment = first_mark;
  std::reverse(m_points.begin(), m_points.end());
  for (int& row : m_index) row = int(n) - 1 - row;
}

void cVQPoints::Keep(const std::vector<int>& kept_rows0) {
  std::vector<cVQPoint> kept;
  kept.reserve(kept_rows0.size());
  int next = 0;  // the first row not yet kept or dropped
  for (const int row : kept_rows0) {
    if (row < next || row >= Count()) continue;
    bool mark = false;
    for (int i = next; i < row; ++i) mark = mark || m_points[size_t(i)].New_Segment;
    kept.push_back(std::move(m_points[size_t(row)]));
    if (mark) kept.back().New_Segment = true;
    next = row + 1;
  }
  m_points = std::move(kept);
  Reindex();
}

void cVQPoints::Clear() {
  m_points.clear();
  m_index.clear();
  Title.clear();
  From_Track = false;
  From_Grid = false;
}

void cVQPoints::Reindex() {
  m_index.clear();
  for (size_t i = 0; i < m_points.size(); ++i) m_index.insert(Key_Of(m_points[i].Label), int(i));
}

QVector<cVQRow> cVQPoints::Rows(qint16 coorSys, double* total_km) const {
  QVector<cVQRow> rows;
  double total = 0;
  rows.reserve(Count());
  const cVQPoint* prev = nullptr;
  std::vector<double> gridE, gridN;
  const bool proj = Proj_Grid(coorSys, gridE, gridN);
  VectorState::Clear_Upper_Halves();
  for (const cVQPoint& p : m_points) {
    cVQRow row;
    row[0] = p.Label;
    if (coorSys == 0) {
      row[1] = QString::fromStdString(CvtUtil::LatLon_Text(p.lat, 0));
      row[2] = QString::fromStdString(CvtUtil::LatLon_Text(p.lon, 1));
    } else if (proj) {
      const size_t i = size_t(rows.size());
      if (std::isfinite(gridE[i]) && std::isfinite(gridN[i])) {
        row[1] = Metres(cProjGrids::Whole_Metres(gridE[i]));
        row[2] = Metres(cProjGrids::Whole_Metres(gridN[i]));
      }
    } else if (coorSys == 1) {
      double E = 0, N = 0;
      Xlate::LatLon_To_ITM(p.lat, p.lon, E, N);
      row[1] = Num(E);
      row[2] = Num(N);
    }
    if (p.Has_Alt()) row[3] = Rounded(p.alt, 1);
    row[4] = p.Comment;
    if (prev) {
      const double leg_km = prev->GetDistance(p.lat, p.lon);
      total += leg_km;
      QString d = Rounded(leg_km, 2);
      if (d.startsWith(QLatin1Char('.'))) d.prepend(QLatin1Char('0'));
      row[5] = d;
    }
    rows.append(std::move(row));
    prev = &p;
  }
  if (total_km) *total_km = total;
  return rows;
}

void cVQPoints::Redisplay() {
  if (lv) lv->Set_Rows(Rows(m_CoorSys, &m_shown_total_km));
}
