#include "map/MapPlane.h"

#include <cmath>

#include "geo/Xlate.h"
#include "geo/cProjGrids.h"

namespace {
constexpr double kOriginLat = 31.73409, kCentralLon = 35.21206;
constexpr double kFalseE = 170251, kFalseN = 1126868;
constexpr double kEarthR = 6378137;
constexpr double kDeg = M_PI / 180;
// Web Mercator ends where the world is square.
constexpr double kMaxLat = 85.05112878;
}  // namespace

namespace MapPlane {

cPlane Grid_Of(int coorSys, bool datum) {
  const bool proj = cProjGrids::Shared().Ok();
  if (coorSys == 1) return datum && proj ? cPlane::Old_Grid_Datum : cPlane::Old_Grid;
  return proj ? cPlane::New_Grid : cPlane::Old_Grid;
}

void Forward(cPlane plane, double* x, double* y, size_t n) {
  const cProjGrids& proj = cProjGrids::Shared();
  switch (plane) {
    case cPlane::Old_Grid:
      // Unrounded: a mark sits where its point is, not on the whole metre the list shows.
      for (size_t i = 0; i < n; ++i) {
        Xlate::TM_Forward(x[i], y[i], kOriginLat, kCentralLon, 1, x[i], y[i]);
        x[i] += kFalseE, y[i] += kFalseN;
      }
      return;
    case cPlane::Old_Grid_Datum:
      proj.WGS84_To_Old_Grid(x, y, n);
      return;
    case cPlane::New_Grid:
      proj.WGS84_To_New_Grid(x, y, n);
      return;
    case cPlane::Mercator:
      for (size_t i = 0; i < n; ++i) {
        const double lat = std::fmax(-kMaxLat, std::fmin(kMaxLat, x[i]));
        x[i] = kEarthR * y[i] * kDeg;
        y[i] = kEarthR * std::log(std::tan(M_PI / 4 + lat * kDeg / 2));
      }
      return;
  }
}

void Inverse(cPlane plane, double* x, double* y, size_t n) {
  const cProjGrids& proj = cProjGrids::Shared();
  switch (plane) {
    case cPlane::Old_Grid:
      for (size_t i = 0; i < n; ++i)
        Xlate::TM_Inverse(x[i] - kFalseE, y[i] - kFalseN, kOriginLat, kCentralLon, 1, x[i], y[i]);
      return;
    case cPlane::Old_Grid_Datum:
      proj.Old_Grid_To_WGS84(x, y, n);
      return;
    case cPlane::New_Grid:
      proj.New_Grid_To_WGS84(x, y, n);
      return;
    case cPlane::Mercator:
      for (size_t i = 0; i < n; ++i) {
        const double lon = x[i] / kEarthR / kDeg;
        x[i] = (2 * std::atan(std::exp(y[i] / kEarthR)) - M_PI / 2) / kDeg;
        y[i] = lon;
      }
      return;
  }
}

}  // namespace MapPlane
