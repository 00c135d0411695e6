// Places typed into the list: the text forms of PlaceText read in the display shown, and the
// grid displays' values taken back to latitude/longitude.
#include <cmath>

#include "geo/Xlate.h"
#include "geo/cProjGrids.h"
#include "points/PlaceText.h"
#include "points/cVQPoints.h"

bool cVQPoints::Grid_Of(qint16 coorSys, double lat, double lon, double& E, double& N) const {
  if (coorSys == 1 && !m_Datum) {
    Xlate::LatLon_To_ITM(lat, lon, E, N);
  } else {
    const cProjGrids& proj = cProjGrids::Shared();
    E = lat, N = lon;
    if (coorSys == 2 ? !proj.WGS84_To_New_Grid(&E, &N, 1)
                     : coorSys != 1 || !proj.WGS84_To_Old_Grid(&E, &N, 1))
      return false;
  }
  return std::isfinite(E) && std::isfinite(N);
}

bool cVQPoints::LatLon_Of(qint16 coorSys, double E, double N, double& lat, double& lon) const {
  if (coorSys == 1 && !m_Datum) {
    Xlate::ITM_To_LatLon(E, N, lat, lon);
  } else {
    const cProjGrids& proj = cProjGrids::Shared();
    lat = E, lon = N;
    if (coorSys == 2 ? !proj.New_Grid_To_WGS84(&lat, &lon, 1)
                     : coorSys != 1 || !proj.Old_Grid_To_WGS84(&lat, &lon, 1))
      return false;
  }
  return std::isfinite(lat) && std::isfinite(lon) && std::fabs(lat) <= 90 &&
         std::fabs(lon) <= 180;
}

bool cVQPoints::Place_From_Text(const QString& text, double& lat_deg, double& lon_deg,
                                const cVQPoint* from, int column) const {
  const int axis = from && (column == 2 || column == 3) ? column - 2 : -1;
  if (m_CoorSys == 0) {
    if (PlaceText::Parse_LatLon(text, lat_deg, lon_deg)) return true;
    double deg = 0;
    if (axis < 0 || !PlaceText::Parse_Angle(text, axis, deg)) return false;
    lat_deg = axis == 0 ? deg : from->lat;
    lon_deg = axis == 1 ? deg : from->lon;
    return true;
  }
  std::vector<double> typed;
  double E = 0, N = 0;
  if (!PlaceText::Parse_Numbers(text, 2, typed)) return false;
  if (typed.size() == 2) {
    E = typed[0], N = typed[1];
  } else {
    // The other coordinate stays as the list shows it, in whole metres.
    if (axis < 0 || !Grid_Of(m_CoorSys, from->lat, from->lon, E, N)) return false;
    E = cProjGrids::Whole_Metres(E), N = cProjGrids::Whole_Metres(N);
    (axis == 0 ? E : N) = typed[0];
  }
  double lat = 0, lon = 0, backE = 0, backN = 0;
  if (!LatLon_Of(m_CoorSys, E, N, lat, lon) || !Grid_Of(m_CoorSys, lat, lon, backE, backN))
    return false;
  // Far outside a grid's area its formulas no longer come back to the values typed: those are
  // no place.
  if (std::fabs(backE - E) > 1 || std::fabs(backN - N) > 1) return false;
  lat_deg = lat, lon_deg = lon;
  return true;
}
