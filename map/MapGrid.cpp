#include "map/MapGrid.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kSteps_m[] = {100,   200,   500,   1000,   2000,   5000,
                               10000, 20000, 50000, 100000, 200000, 500000};
constexpr double kMinGap_px = 90;
constexpr int kMaxLines = 80;
constexpr int kCurveSamples = 24;

// From one plane to another, through latitude/longitude when they differ.
void Convert(cPlane from, cPlane to, std::vector<double>& x, std::vector<double>& y) {
  if (from == to) return;
  MapPlane::Inverse(from, x.data(), y.data(), x.size());
  MapPlane::Forward(to, x.data(), y.data(), x.size());
}

QString Km_Text(double v_m, double step_m) {
  return QString::number(v_m / 1000, 'f', step_m < 1000 ? 1 : 0);
}

// Where the polyline first crosses the line coord == c (vertical: x, else y), or (-1, -1).
QPointF Crossing(const QPolygonF& line, bool vertical, double c) {
  for (int i = 1; i < line.size(); ++i) {
    const double a = vertical ? line[i - 1].x() : line[i - 1].y();
    const double b = vertical ? line[i].x() : line[i].y();
    if ((a - c) * (b - c) > 0 || a == b) continue;
    const double t = (c - a) / (b - a);
    return line[i - 1] + t * (line[i] - line[i - 1]);
  }
  return {-1, -1};
}
}  // namespace

namespace MapGrid {

std::vector<cGridLine> Lines(const cMapView& view, cPlane drawn, cPlane grid) {
  // The image's border, sampled, gives the grid values the view spans.
  std::vector<double> bx, by;
  const double w = view.size.width(), h = view.size.height();
  for (int i = 0; i <= 8; ++i) {
    for (const QPointF& p : {QPointF(w * i / 8, 0), QPointF(w * i / 8, h), QPointF(0, h * i / 8),
                             QPointF(w, h * i / 8)}) {
      double x = 0, y = 0;
      view.To_Plane(p, x, y);
      bx.push_back(x), by.push_back(y);
    }
  }
  Convert(drawn, grid, bx, by);
  cBox span;
  for (size_t i = 0; i < bx.size(); ++i) span.Add(bx[i], by[i]);
  std::vector<cGridLine> lines;
  if (!span.Valid()) return lines;
  const double grid_mpp = std::max(span.x1 - span.x0, span.y1 - span.y0) / std::max(w, h);
  double step = kSteps_m[std::size(kSteps_m) - 1];
  for (double s : kSteps_m)
    if (s / grid_mpp >= kMinGap_px) {
      step = s;
      break;
    }
  for (int easting = 1; easting >= 0; --easting) {
    const double lo = easting ? span.x0 : span.y0, hi = easting ? span.x1 : span.y1;
    const double across0 = easting ? span.y0 : span.x0, across1 = easting ? span.y1 : span.x1;
    const int samples = drawn == grid ? 2 : kCurveSamples;
    int count = 0;
    for (double v = std::ceil(lo / step) * step; v <= hi && count < kMaxLines; v += step, ++count) {
      std::vector<double> x(static_cast<size_t>(samples)), y(static_cast<size_t>(samples));
      for (int i = 0; i < samples; ++i) {
        const double a = across0 + (across1 - across0) * i / (samples - 1);
        x[size_t(i)] = easting ? v : a;
        y[size_t(i)] = easting ? a : v;
      }
      Convert(grid, drawn, x, y);
      cGridLine line;
      line.easting = easting;
      for (int i = 0; i < samples; ++i)
        if (std::isfinite(x[size_t(i)]) && std::isfinite(y[size_t(i)]))
          line.px << view.To_Px(x[size_t(i)], y[size_t(i)]);
      if (line.px.size() < 2) continue;
      line.label = Km_Text(v, step);
      line.at = easting ? Crossing(line.px, false, h - 4) : Crossing(line.px, true, 4);
      lines.push_back(std::move(line));
    }
  }
  return lines;
}

double Ground_Mpp(const cMapView& view, cPlane drawn) {
  if (drawn != cPlane::Mercator) return view.mpp;
  double lat = view.cx, lon = view.cy;
  MapPlane::Inverse(cPlane::Mercator, &lat, &lon, 1);
  return view.mpp * std::cos(lat * M_PI / 180);
}

}  // namespace MapGrid

namespace MapTiles {

int Zoom_For(double mpp) {
  const double z = std::log2(2 * MapPlane::kMercatorHalf / (256 * mpp));
  return std::clamp(int(std::lround(z)), 0, 19);
}

std::vector<cTilePlace> For_View(const cMapView& view) {
  std::vector<cTilePlace> tiles;
  const int z = Zoom_For(view.mpp);
  const int n = 1 << z;
  const double tile_m = 2 * MapPlane::kMercatorHalf / n;
  const cBox shown = view.Shown();
  const auto col = [&](double x) {
    return int(std::floor((x + MapPlane::kMercatorHalf) / tile_m));
  };
  const auto row = [&](double y) {
    return int(std::floor((MapPlane::kMercatorHalf - y) / tile_m));
  };
  const int x0 = std::max(0, col(shown.x0)), x1 = std::min(n - 1, col(shown.x1));
  const int y0 = std::max(0, row(shown.y1)), y1 = std::min(n - 1, row(shown.y0));
  for (int ty = y0; ty <= y1; ++ty) {
    for (int tx = x0; tx <= x1; ++tx) {
      const QPointF tl =
          view.To_Px(-MapPlane::kMercatorHalf + tx * tile_m, MapPlane::kMercatorHalf - ty * tile_m);
      const QPointF br = view.To_Px(-MapPlane::kMercatorHalf + (tx + 1) * tile_m,
                                    MapPlane::kMercatorHalf - (ty + 1) * tile_m);
      tiles.push_back({{z, tx, ty}, QRectF(tl, br)});
    }
  }
  return tiles;
}

}  // namespace MapTiles
