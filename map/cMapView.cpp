#include "map/cMapView.h"

#include <algorithm>
#include <cmath>

void cBox::Add(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  if (!Valid()) {
    x0 = x1 = x, y0 = y1 = y;
    return;
  }
  x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
}

void cMapView::Fit(const cBox& box, double margin_px, double min_span_m) {
  if (!box.Valid()) return;
  cx = (box.x0 + box.x1) / 2, cy = (box.y0 + box.y1) / 2;
  const double w = std::max(1.0, size.width() - 2 * margin_px);
  const double h = std::max(1.0, size.height() - 2 * margin_px);
  const double span_x = std::max(box.x1 - box.x0, min_span_m);
  const double span_y = std::max(box.y1 - box.y0, min_span_m);
  mpp = std::max(span_x / w, span_y / h);
}

void cMapView::Zoom_At(QPointF px, double factor) {
  // Between a street and the whole earth.
  const double to = std::clamp(mpp / factor, 0.05, 100000.0);
  double x = 0, y = 0;
  To_Plane(px, x, y);
  mpp = to;
  cx = x - (px.x() - size.width() / 2) * mpp;
  cy = y + (px.y() - size.height() / 2) * mpp;
}

void cMapView::Pan(QPointF delta_px) {
  cx -= delta_px.x() * mpp;
  cy += delta_px.y() * mpp;
}

cBox cMapView::Shown() const {
  cBox b;
  To_Plane({0, size.height()}, b.x0, b.y0);
  To_Plane({size.width(), 0}, b.x1, b.y1);
  return b;
}
