#pragma once
// Conversion between latitude/longitude (decimal degrees, north and east positive) and the
// Israeli grid (easting and northing in metres, easting first): a transverse Mercator projection
// on the Clarke 1880 (Benoit) ellipsoid, with no datum shift anywhere.
#include <string>

namespace Xlate {
void ITM_To_LatLon(double E, double N, double& lat_deg, double& lon_deg);
// E and N come out in whole metres (rounded half up through Trunc_Value).
void LatLon_To_ITM(double lat_deg, double lon_deg, double& E, double& N);
void TM_Forward(double lat_deg, double lon_deg, double origin_lat_deg, double central_lon_deg,
                double k0, double& x_m, double& y_m);
void TM_Inverse(double x_m, double y_m, double origin_lat_deg, double central_lon_deg, double k0,
                double& lat_deg, double& lon_deg);
// The ellipsoid is fixed: every code yields the same a and e squared.
void Ellipsoid_Params(const std::string& code, double& a_m, double& e2);
double Meridian_Arc(double phi_rad, double a_m, double e2);
// The largest whole number not above v (so that v + 0.5 rounds to the nearest metre on both
// sides of zero).
double Trunc_Value(double v);
}  // namespace Xlate
