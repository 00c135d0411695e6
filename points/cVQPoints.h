#pragma once
#include <QHash>
#include <QString>
#include <vector>

#include "points/cVQList.h"
#include "points/cVQPoint.h"

// The ordered point collection that the window shows. Positions are 1-based; every point is
// kept under its label, compared without regard to letter case, and a label is present once.
class cVQPoints {
 public:
  // The list that Redisplay fills; set once by the owner.
  cVQList* lv = nullptr;
  // What the list is called in files written from it: the loaded file's name without its
  // ending, or the receiver's description for a download.
  QString Title;
  // The points are a recorded track (a download, or a track read from a GPX file), so a GPX
  // export writes them back as a track with its segments.
  bool From_Track = false;

  // 1 = Israeli grid, 0 = latitude/longitude, 2 = New Israeli Grid; other values leave the
  // coordinate columns empty. Assigning always redisplays, also when the value is unchanged.
  void Set_CoorSys(qint16 vData);
  qint16 CoorSys() const { return m_CoorSys; }

  // The datum option. Off: the original grid formulas on the points' latitude/longitude, as
  // always. On: the old grid is EPSG:28193 and latitude/longitude WGS 84, through PROJ; points
  // that came from grid values are moved so that their grid values stay what the file said.
  // Redisplays. False, and nothing changed, when PROJ is not set up.
  bool Set_Datum(bool on);
  bool Datum() const { return m_Datum; }
  // True while the points come from whole-metre grid values (a .twl file); Clear makes it false.
  bool From_Grid = false;

  // Appends a point; false (and nothing added) when the label is already present, ignoring
  // case. Does not redisplay.
  bool Add(const QString& Label, double lat, double lon, double alt, const QString& Comment);
  // The same with every member of the point, its time and segment mark included.
  bool Add(cVQPoint point);
  // Room for n points, so that a long list is added without regrowing its store and index.
  void Reserve(int n);
  // Position from 1 to Count.
  const cVQPoint& Item(int index) const;
  // The point with this label (ignoring case), or nullptr.
  const cVQPoint* Find(const QString& key) const;
  int Count() const { return int(m_points.size()); }
  bool Remove(int index);
  bool Remove(const QString& key);
  // Turns the list end for end; a track's segments keep their points (each segment now begins
  // where it ended). Does not redisplay.
  void Reverse();
  // Keeps the points at the given 0-based positions (increasing; others are ignored) in their
  // order and drops the rest; a dropped point that began a segment passes its mark to the next
  // point kept. Does not redisplay.
  void Keep(const std::vector<int>& kept_rows0);
  // Removes every point and forgets the title and the track mark; does not redisplay.
  void Clear();
  // Rebuilds lv from the points in one batch.
  void Redisplay();
  // The sum of the legs the last Redisplay showed, in km at full precision (as the CSV export's
  // total), so that the window need not compute every leg again.
  double Shown_Total_Km() const { return m_shown_total_km; }

  // The rows Redisplay hands to lv, for the given display system; total_km, when given,
  // receives the sum of the legs.
  QVector<cVQRow> Rows(qint16 coorSys, double* total_km = nullptr) const;

  std::vector<cVQPoint>::const_iterator begin() const { return m_points.begin(); }
  std::vector<cVQPoint>::const_iterator end() const { return m_points.end(); }

 private:
  static QString Key_Of(const QString& label);
  void Reindex();
  // The grid values of every point for a grid display (1 with the datum option, or 2), in one
  // batch through PROJ; false when the display needs none of them or PROJ is not set up.
  bool Proj_Grid(qint16 coorSys, std::vector<double>& E, std::vector<double>& N) const;

  qint16 m_CoorSys = 0;
  double m_shown_total_km = 0;
  bool m_Datum = false;
  std::vector<cVQPoint> m_points;
  QHash<QString, int> m_index;  // key -> 0-based position
};
