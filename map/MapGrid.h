#pragma once
// What a view shows besides the points: the display grid's lines, the true scale, and the web
// tiles it needs.
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <vector>

#include "map/MapPlane.h"
#include "map/cMapView.h"

struct cGridLine {
  QPolygonF px;   // in image pixels
  QString label;  // the grid value in km, where the line meets the image's lower or left edge
  QPointF at;     // where the label goes; (-1, -1) for none
  bool easting = true;
};

namespace MapGrid {
// The grid's lines every round number of km (or of 100 m when zoomed in far) over a view drawn
// on `drawn`: straight when the grid is the drawn plane, curves sampled through latitude and
// longitude otherwise.
std::vector<cGridLine> Lines(const cMapView& view, cPlane drawn, cPlane grid);
// Ground metres per image pixel at the view's centre.
double Ground_Mpp(const cMapView& view, cPlane drawn);
}  // namespace MapGrid

struct cTileKey {
  int z = 0, x = 0, y = 0;
  bool operator==(const cTileKey& o) const { return z == o.z && x == o.x && y == o.y; }
};
struct cTilePlace {
  cTileKey key;
  QRectF px;
};

namespace MapTiles {
// The zoom at which one tile pixel comes closest to one image pixel, for a Mercator view.
int Zoom_For(double mpp);
// The tiles a Mercator view needs at that zoom, with their place in the image.
std::vector<cTilePlace> For_View(const cMapView& view);
}  // namespace MapTiles
