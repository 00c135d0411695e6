#pragma once
// Israel's grids as their official definitions give them, through PROJ: the New Israeli Grid
// (EPSG:2039, Israel 1993 datum) and the old grid on its own datum (EPSG:28193, Palestine 1923),
// both from and to WGS 84 latitude/longitude. One PROJ context and the two transformations are
// made once and reused; a list converts in one call. PROJ picks the operation for each point as
// its own cs2cs does, so points outside the Survey of Israel's area (the Golan, the Hermon)
// still get values. The original grid (Xlate) does not come through here.
#include <cstddef>
#include <string>

struct pj_ctx;
struct PJconsts;

class cProjGrids {
 public:
  // search_path: a folder holding proj.db; empty for PROJ's own search.
  explicit cProjGrids(const std::string& search_path = std::string());
  ~cProjGrids();
  cProjGrids(const cProjGrids&) = delete;
  cProjGrids& operator=(const cProjGrids&) = delete;

  // The program's one instance, made on first use.
  static cProjGrids& Shared();

  // False when PROJ could not be set up (no proj.db, unknown codes); Error() says why.
  bool Ok() const { return m_ToNew && m_Old; }
  const std::string& Error() const { return m_error; }

  // In place, n points in one call; latitude/longitude in degrees, grid values in metres,
  // unrounded, easting first. A point PROJ cannot convert comes out as infinity. False (and
  // nothing changed) when PROJ is not set up.
  bool WGS84_To_New_Grid(double* lat_to_E, double* lon_to_N, size_t n) const;
  bool WGS84_To_Old_Grid(double* lat_to_E, double* lon_to_N, size_t n) const;
  bool Old_Grid_To_WGS84(double* E_to_lat, double* N_to_lon, size_t n) const;
  bool New_Grid_To_WGS84(double* E_to_lat, double* N_to_lon, size_t n) const;

  // A grid value in whole metres, rounded as the original grid's are (half up).
  static double Whole_Metres(double v);

 private:
  bool Trans(PJconsts* pj, bool inverse, double* x, double* y, size_t n) const;

  pj_ctx* m_ctx = nullptr;
  PJconsts* m_ToNew = nullptr;  // EPSG:4326 -> EPSG:2039
  PJconsts* m_Old = nullptr;    // EPSG:28193 -> EPSG:4326; inverse for the other way
  std::string m_error;
};
