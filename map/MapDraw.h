#pragma once
// Draws a projected list with QPainter on any device: the pane, an SVG, PNG or PDF file. Every
// coordinate is an image pixel computed in double precision; what the zoom cannot show apart
// (points in one pixel, marks on top of each other, labels that would overlap) is left out.
#include <QImage>
#include <QString>
#include <functional>
#include <vector>

#include "map/MapGrid.h"
#include "map/cMapScene.h"

class QPainter;

struct cMapStyle {
  bool labels = true;
  cPlane grid = cPlane::Old_Grid;  // whose lines and numbers are drawn
  QString attribution;             // drawn when tiles are
  QString note;                    // one quiet line at the top, such as tiles that did not come
  const std::vector<char>* selected = nullptr;  // per 0-based row; nonzero marks the point
  // A tile's image for a Mercator scene, null when it is not there (yet); empty: no base map.
  std::function<QImage(const cTileKey&)> tile;
  double scale = 1;  // pixel sizes of marks, lines and text, for devices of higher resolution
};

namespace MapDraw {
void Draw(QPainter& painter, const cMapScene& scene, const cMapView& view, const cMapStyle& style);
// The sizes of a point's mark, in pixels across at scale 1.
constexpr double kMark_px = 8, kTrackMark_px = 4, kSelected_px = 12;
}  // namespace MapDraw
