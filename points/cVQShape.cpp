#include "points/cVQShape.h"

#include <cmath>
#include <limits>
#include <queue>

#include "geo/Xlate.h"
#include "points/cVQPoints.h"

namespace {
constexpr double kOn_Line2 = 1e-6;  // (1 mm)^2
// The rounds of bettering a count's result; each costs about one refinement.
constexpr int kBetter_Rounds = 4;

struct cXY {
  double x, y;
};

// Distances are taken on a transverse Mercator plane whose central meridian runs through the
// middle of the list (the original grid's ellipsoid, scale 1 on that meridian). Its scale is
// off by x^2 / 2R^2 at a distance x from the meridian: 0.01 % at 100 km, so a country-long
// route measures true to centimetres, and a list anywhere in the world (across the date line
// too) gets the same accuracy, which neither the national grids nor a plain latitude/longitude
// plane give. Each point is projected once; the search then works on plane coordinates.
std::vector<cXY> Plane(const cVQPoints& points) {
  std::vector<double> lon;
  lon.reserve(size_t(points.Count()));
  double lo = std::numeric_limits<double>::infinity(), hi = -lo;
  for (const cVQPoint& p : points) {
    // Longitudes are unwrapped about the first one, so a list across 180 degrees stays whole.
    const double l = lon.empty() ? p.lon : lon.front() + std::remainder(p.lon - lon.front(), 360.0);
    lon.push_back(l);
    if (std::isfinite(l)) lo = std::min(lo, l), hi = std::max(hi, l);
  }
  const double central = lo <= hi ? (lo + hi) / 2 : 0;
  std::vector<cXY> xy(lon.size());
  size_t i = 0;
  for (const cVQPoint& p : points) {
    Xlate::TM_Forward(p.lat, lon[i], 0, central, 1, xy[i].x, xy[i].y);
    ++i;
  }
  return xy;
}

// The squared distance of p from the segment a-b, measured to its nearest point (an end when
// p lies beyond it).
double Seg_Dist2(const cXY& p, const cXY& a, const cXY& b) {
  const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
  t = t < 0 ? 0 : t > 1 ? 1 : t;
  const double ex = p.x - a.x - t * dx, ey = p.y - a.y - t * dy;
  return ex * ex + ey * ey;
}

// A stretch between two kept points and the dropped point inside it that lies farthest from it.
struct cSpan {
  double dev2;
  int a, b, far;
  bool operator<(const cSpan& o) const { return dev2 < o.dev2; }
};

cSpan Span(const std::vector<cXY>& xy, int a, int b) {
  cSpan s{-1, a, b, -1};
  for (int i = a + 1; i < b; ++i) {
    const double d2 = Seg_Dist2(xy[size_t(i)], xy[size_t(a)], xy[size_t(b)]);
    if (d2 > s.dev2) s.dev2 = d2, s.far = i;
  }
  return s;
}

// The largest deviation of the points dropped between the kept rows.
double Max_Dev2(const std::vector<cXY>& xy, const std::vector<int>& kept) {
  double worst = 0;
  for (size_t k = 1; k < kept.size(); ++k)
    worst = std::max(worst, Span(xy, kept[k - 1], kept[k]).dev2);
  return worst;
}

// Douglas-Peucker refined point by point: the stretch whose farthest point lies farthest is
// always the next one split, so stopping at any count gives the best such prefix, and stopping
// at a tolerance gives the classic result. Starts from the kept rows given.
std::vector<int> Refine(const std::vector<cXY>& xy, const std::vector<int>& start, double tol2,
                        size_t limit) {
  std::vector<char> kept(xy.size(), 0);
  std::priority_queue<cSpan> queue;
  for (size_t k = 0; k < start.size(); ++k) {
    kept[size_t(start[k])] = 1;
    if (k > 0 && start[k] - start[k - 1] > 1) queue.push(Span(xy, start[k - 1], start[k]));
  }
  size_t count = start.size();
  while (!queue.empty() && count < limit) {
    const cSpan s = queue.top();
    // Points on the line (deviation 0) are never worth keeping; NaN places never split.
    if (!(s.dev2 > tol2) || s.far < 0) break;
    queue.pop();
    kept[size_t(s.far)] = 1;
    ++count;
    if (s.far - s.a > 1) queue.push(Span(xy, s.a, s.far));
    if (s.b - s.far > 1) queue.push(Span(xy, s.far, s.b));
  }
  std::vector<int> rows;
  rows.reserve(count);
  for (size_t i = 0; i < kept.size(); ++i)
    if (kept[i]) rows.push_back(int(i));
  return rows;
}

// Drops each kept point whose neighbours' segment holds every point between them within the
// tolerance: Douglas-Peucker keeps such points when an early split was not the best one.
std::vector<int> Drop_Needless(const std::vector<cXY>& xy, const std::vector<int>& kept,
                               double tol2) {
  std::vector<int> out{kept.front()};
  for (size_t k = 1; k + 1 < kept.size(); ++k)
    if (!(Span(xy, out.back(), kept[k + 1]).dev2 <= tol2)) out.push_back(kept[k]);
  out.push_back(kept.back());
  return out;
}
}  // namespace

cSimplified Simplify(const cVQPoints& points, double tolerance_m, int max_points) {
  cSimplified result;
  const int n = points.Count();
  const bool by_tolerance = tolerance_m >= 0, by_count = max_points > 0;
  if (n <= 2 || (!by_tolerance && (!by_count || n <= max_points))) {
    result.Kept.resize(size_t(n));
    for (int i = 0; i < n; ++i) result.Kept[size_t(i)] = i;
    return result;
  }
  const std::vector<cXY> xy = Plane(points);
  const size_t limit = by_count ? size_t(std::max(max_points, 2)) : size_t(n);
  // A point within a millimetre of the line lies on it: the rest is the rounding of the plane.
  const double tol2 = std::max(by_tolerance ? tolerance_m * tolerance_m : 0, kOn_Line2);
  std::vector<int> kept = Refine(xy, {0, n - 1}, tol2, by_tolerance ? size_t(n) : limit);
  bool capped = kept.size() == limit;
  if (by_tolerance) {
    kept = Drop_Needless(xy, kept, tol2);
    // The count caps the tolerance's result: its points refined again from the ends.
    capped = kept.size() > limit;
    if (capped) kept = Refine(xy, {0, n - 1}, tol2, limit);
  }
  double dev2 = Max_Dev2(xy, kept);
  // Where the count binds, the refinement is bettered: the points the deviation reached does
  // not need are dropped and the count is spent again where the line lies farthest, for as
  // long as that shrinks the deviation.
  for (int round = 0; capped && round < kBetter_Rounds; ++round) {
    std::vector<int> again = Refine(xy, Drop_Needless(xy, kept, dev2), tol2, limit);
    const double again2 = Max_Dev2(xy, again);
    if (!(again2 < dev2)) break;
    kept = std::move(again), dev2 = again2;
  }
  result.Max_Dev_m = std::sqrt(dev2);
  result.Kept = std::move(kept);
  return result;
}
