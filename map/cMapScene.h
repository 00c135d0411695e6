#pragma once
// A point list projected onto a plane once, so that panning and zooming only move pixels.
#include <vector>

#include "map/MapPlane.h"
#include "map/cMapView.h"

class cVQPoints;

class cMapScene {
 public:
  // Projects every point of the list; the list must outlive the scene until the next Build.
  void Build(const cVQPoints& points, cPlane plane);
  const cVQPoints* points = nullptr;
  cPlane plane = cPlane::Old_Grid;
  std::vector<double> x, y;  // 0-based as the rows; infinity where a point has no place
  bool track = false;        // a track: one line with small marks; else a route's legs
  // The box of the points; for a list without a place, the country's.
  cBox Bounds() const;
  // The 0-based row of the point drawn nearest to px, within within_px; -1 for none.
  int Nearest(const cMapView& view, QPointF px, double within_px) const;
};
