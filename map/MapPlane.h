#pragma once
// The planes a map is drawn on, all in metres with y to the north: the display's grid (the
// original grid, the old grid on its own datum, the New Israeli Grid) or Web Mercator
// (EPSG:3857), the projection of web tiles.
#include <cstddef>

enum class cPlane { Old_Grid, Old_Grid_Datum, New_Grid, Mercator };

namespace MapPlane {
// The grid a display shows: the original or true-datum old grid for the Israeli grid (1), the
// New Israeli Grid for the new grid (2) and for latitude/longitude (0). Without PROJ the
// original grid stands in for the ones that need it.
cPlane Grid_Of(int coorSys, bool datum);
// In place, n points: latitude/longitude in degrees to plane metres, and back. A point that
// cannot be converted comes out as infinity.
void Forward(cPlane plane, double* lat_to_x, double* lon_to_y, size_t n);
void Inverse(cPlane plane, double* x_to_lat, double* y_to_lon, size_t n);
// Half the width of the Web Mercator world in metres.
constexpr double kMercatorHalf = 20037508.342789244;
}  // namespace MapPlane
