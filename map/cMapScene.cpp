#include "map/cMapScene.h"

#include "points/cVQPoints.h"

void cMapScene::Build(const cVQPoints& list, cPlane to) {
  points = &list;
  plane = to;
  track = list.From_Track;
  const size_t n = size_t(list.Count());
  x.resize(n);
  y.resize(n);
  size_t i = 0;
  for (const cVQPoint& p : list) x[i] = p.lat, y[i] = p.lon, ++i;
  MapPlane::Forward(plane, x.data(), y.data(), n);
}

cBox cMapScene::Bounds() const {
  cBox box;
  for (size_t i = 0; i < x.size(); ++i) box.Add(x[i], y[i]);
  if (box.Valid()) return box;
  // From Eilat to the Hermon, from the coast to the Jordan.
  double lat[] = {29.45, 33.35}, lon[] = {34.25, 35.9};
  MapPlane::Forward(plane, lat, lon, 2);
  box.Add(lat[0], lon[0]);
  box.Add(lat[1], lon[1]);
  return box;
}

int cMapScene::Nearest(const cMapView& view, QPointF px, double within_px) const {
  int best = -1;
  double best_d2 = within_px * within_px;
  for (size_t i = 0; i < x.size(); ++i) {
    const QPointF d = view.To_Px(x[i], y[i]) - px;
    const double d2 = d.x() * d.x() + d.y() * d.y();
    if (d2 <= best_d2) best = int(i), best_d2 = d2;
  }
  return best;
}
