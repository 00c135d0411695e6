// The collection's grids through PROJ: the datum option and the New Israeli Grid.
#include <cmath>
#include <vector>

#include "geo/Xlate.h"
#include "geo/cProjGrids.h"
#include "points/cVQPoints.h"

namespace {
// The origin of the original grid, as Xlate's ITM_To_LatLon takes it.
constexpr double kOriginLat = 31.73409, kCentralLon = 35.21206;
constexpr double kFalseE = 170251, kFalseN = 1126868;
}  // namespace

bool cVQPoints::Proj_Grid(qint16 coorSys, std::vector<double>& E, std::vector<double>& N,
                          size_t first0, size_t count) const {
  if (coorSys != 2 && !(coorSys == 1 && m_Datum)) return false;
  const cProjGrids& proj = cProjGrids::Shared();
  if (!proj.Ok()) return false;
  const std::vector<cVQRec>& recs = m_store.recs;
  E.resize(count);
  N.resize(count);
  for (size_t i = 0; i < count; ++i) E[i] = recs[first0 + i].lat, N[i] = recs[first0 + i].lon;
  return coorSys == 2 ? proj.WGS84_To_New_Grid(E.data(), N.data(), E.size())
                      : proj.WGS84_To_Old_Grid(E.data(), N.data(), E.size());
}

bool cVQPoints::Set_Datum(bool on) {
  const cProjGrids* proj = nullptr;
  if (on || (From_Grid && m_Datum)) {
    proj = &cProjGrids::Shared();
    if (!proj->Ok()) return false;
  }
  std::vector<cVQRec>& recs = m_store.recs;
  if (From_Grid && on != m_Datum && !recs.empty()) {
    // The file's grid values, whole metres, are recovered from the points by the reading they
    // were made with (to within a few centimetres) and read again with the other one, so the
    // points are exactly what loading the file with the new setting gives.
    const size_t n = recs.size();
    std::vector<double> x(n), y(n);
    for (size_t i = 0; i < n; ++i) {
      x[i] = recs[i].lat, y[i] = recs[i].lon;
      if (on) {
        Xlate::TM_Forward(x[i], y[i], kOriginLat, kCentralLon, 1, x[i], y[i]);
        x[i] += kFalseE, y[i] += kFalseN;
      }
    }
    if (!on) proj->WGS84_To_Old_Grid(x.data(), y.data(), n);
    for (size_t i = 0; i < n; ++i) x[i] = std::round(x[i]), y[i] = std::round(y[i]);
    if (on) proj->Old_Grid_To_WGS84(x.data(), y.data(), n);
    for (size_t i = 0; i < n; ++i) {
      if (!std::isfinite(x[i]) || !std::isfinite(y[i])) continue;  // PROJ could not: kept
      cVQRec& p = recs[i];
      if (on)
        p.lat = x[i], p.lon = y[i];
      else
        Xlate::ITM_To_LatLon(x[i], y[i], p.lat, p.lon);
    }
  }
  Drop_View();
  m_Datum = on;
  Redisplay();
  return true;
}
