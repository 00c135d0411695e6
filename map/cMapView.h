#pragma once
// Where a map looks: the plane point at the image's centre, metres per image pixel (the same
// in both directions, north up) and the image's size. Every mark is placed through To_Px in
// image pixels, so no painter transform in metres rounds it away.
#include <QPointF>
#include <QSizeF>

struct cBox {
  double x0 = 0, y0 = 0, x1 = -1, y1 = -1;
  bool Valid() const { return x1 >= x0 && y1 >= y0; }
  void Add(double x, double y);
};

class cMapView {
 public:
  double cx = 0, cy = 0;
  double mpp = 1;  // metres per pixel
  QSizeF size{1, 1};

  QPointF To_Px(double x, double y) const {
    return {size.width() / 2 + (x - cx) / mpp, size.height() / 2 - (y - cy) / mpp};
  }
  void To_Plane(QPointF px, double& x, double& y) const {
    x = cx + (px.x() - size.width() / 2) * mpp;
    y = cy - (px.y() - size.height() / 2) * mpp;
  }
  // The box whole in the image with margin_px on every side; a single point or an empty box
  // gets a view of min_span_m across.
  void Fit(const cBox& box, double margin_px, double min_span_m = 1000);
  // The plane point under px stays under px.
  void Zoom_At(QPointF px, double factor);
  void Pan(QPointF delta_px);
  // The plane box the image shows.
  cBox Shown() const;
};
