#pragma once
#include <QString>
#include <cstdint>
#include <vector>

#include "points/cVQList.h"
#include "points/cVQPoint.h"
#include "points/cVQRows.h"
#include "points/cVQStore.h"

// The ordered point collection that the window shows. Positions are 1-based; every point is
// kept under its label, compared without regard to letter case, and a label is present once.
// The points are kept as small records (points/cVQStore.h); Item, Find and the iteration hand
// out point objects made from them on first use and kept until the list is cleared, so that
// the references stay valid as before, and a list nobody asks that way never makes them.
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
  // The i-th point (0-based) of another store, as it is there (a file's part, whose unnamed
  // points are numbered in it); false when its label is already present.
  bool Add_From(const cVQStore& from, size_t i);
  // Room for n points, so that a long list is added without regrowing its store and index.
  void Reserve(int n);
  // Position from 1 to Count.
  const cVQPoint& Item(int index) const;
  // The point with this label (ignoring case), or nullptr.
  const cVQPoint* Find(const QString& key) const;
  int Count() const { return int(m_store.recs.size()); }
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
  // receives the sum of the legs. first0 and count choose a part of the list (0-based first
  // row; count -1 to the end), its first leg measured from the row before it.
  QVector<cVQRow> Rows(qint16 coorSys, double* total_km = nullptr, int first0 = 0,
                       int count = -1) const;
  // The same, with texts made when asked for.
  cVQRows Lazy_Rows(qint16 coorSys, int first0 = 0, int count = -1) const;
  // The records themselves, for a pass over a long list that needs no point objects.
  const cVQStore& Store() const { return m_store; }

  // Editing (points/cVQPoints_Edit.cpp). Every label stays unique ignoring case: what would
  // break that is refused (false) and nothing changes. None of them redisplays.
  // Puts `point` in place of the point at position index (1 to Count).
  bool Replace(int index, cVQPoint point);
  // Inserts the points so that afterwards they stand at rows0 (0-based, increasing).
  bool Insert_Rows(const std::vector<int>& rows0, std::vector<cVQPoint> points);
  // Afterwards row i holds what row order0[i] held; false unless order0 is a permutation.
  bool Reorder(const std::vector<int>& order0);
  // A label the list does not hold: the lowest whole number from Count + 1.
  QString Free_Label() const;
  // Rebuilds rows first to last (1-based) and the leg of the row after them in lv, without
  // rebuilding the rest; a list that cannot take single rows is redisplayed whole.
  void Redisplay_Rows(int first, int last);

  // A place typed in the display shown (points/cVQPoints_Place.cpp): a pair of coordinates, or,
  // typed into coordinate column 2 or 3 of the point `from`, one value for that column's
  // coordinate. False when the text is no place in that display.
  bool Place_From_Text(const QString& text, double& lat_deg, double& lon_deg,
                       const cVQPoint* from = nullptr, int column = 0) const;

  std::vector<cVQPoint>::const_iterator begin() const { return View().begin(); }
  std::vector<cVQPoint>::const_iterator end() const { return View().end(); }

 private:
  bool Add_Record(const cVQRec& rec);
  const std::vector<cVQPoint>& View() const;
  void Drop_View();
  // The index: open addressing on the case-folded label's hash, slots holding 0-based
  // positions; the labels themselves stay in the store.
  static uint32_t Hash_Of(QStringView label);
  uint32_t Hash_At(size_t pos) const;
  int Find_Pos(QStringView label, uint32_t hash) const;
  void Insert_Pos(uint32_t hash, int pos);
  void Reindex();
  // The grid values of `count` points from first0 for a grid display (1 with the datum option,
  // or 2), in one batch through PROJ; false when the display needs none or PROJ is not set up.
  bool Proj_Grid(qint16 coorSys, std::vector<double>& E, std::vector<double>& N, size_t first0,
                 size_t count) const;
  // One place's grid values in a grid display (1 or 2), unrounded where PROJ gives them, and back.
  bool Grid_Of(qint16 coorSys, double lat, double lon, double& E, double& N) const;
  bool LatLon_Of(qint16 coorSys, double E, double N, double& lat, double& lon) const;

  qint16 m_CoorSys = 0;
  double m_shown_total_km = 0;
  bool m_Datum = false;
  cVQStore m_store;
  struct cSlot {
    uint32_t hash = 0;
    int32_t pos = -1;
  };
  std::vector<cSlot> m_slots;
  mutable std::vector<cVQPoint> m_view;
  mutable bool m_viewed = false;
};
