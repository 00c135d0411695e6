#include "geo/cProjGrids.h"

#include <proj.h>

#include <cmath>

#include "geo/VectorState.h"
#include "geo/Xlate.h"

cProjGrids::cProjGrids(const std::string& search_path) {
  m_ctx = proj_context_create();
  if (!m_ctx) {
    m_error = "PROJ cannot make a context";
    return;
  }
  // Never reach for grids over the network: the operations used here need none.
  proj_context_set_enable_network(m_ctx, 0);
  if (!search_path.empty()) {
    const char* paths[] = {search_path.c_str()};
    proj_context_set_search_paths(m_ctx, 1, paths);
  }
  // Both take the codes' own axis order: latitude before longitude, easting before northing.
  m_ToNew = proj_create_crs_to_crs(m_ctx, "EPSG:4326", "EPSG:2039", nullptr);
  if (m_ToNew) m_Old = proj_create_crs_to_crs(m_ctx, "EPSG:28193", "EPSG:4326", nullptr);
  if (!Ok()) {
    // PROJ's error number says little here ("Unknown error"); the likely cause does.
    m_error =
        "PROJ cannot set up the Israeli grids: its database proj.db (Debian package proj-data) "
        "is missing or lacks EPSG:2039 and EPSG:28193";
  }
}

cProjGrids::~cProjGrids() {
  proj_destroy(m_ToNew);
  proj_destroy(m_Old);
  if (m_ctx) proj_context_destroy(m_ctx);
}

cProjGrids& cProjGrids::Shared() {
  static cProjGrids grids;
  return grids;
}

bool cProjGrids::Trans(PJconsts* pj, bool inverse, double* x, double* y, size_t n) const {
  if (!Ok()) return false;
  if (n == 0) return true;
  // Points PROJ cannot take are set to HUGE_VAL, the others converted; the count is not needed.
  VectorState::Clear_Upper_Halves();
  proj_trans_generic(pj, inverse ? PJ_INV : PJ_FWD, x, sizeof(double), n, y, sizeof(double), n,
                     nullptr, 0, 0, nullptr, 0, 0);
  proj_errno_reset(pj);
  return true;
}

bool cProjGrids::WGS84_To_New_Grid(double* lat_to_E, double* lon_to_N, size_t n) const {
  return Trans(m_ToNew, false, lat_to_E, lon_to_N, n);
}

bool cProjGrids::WGS84_To_Old_Grid(double* lat_to_E, double* lon_to_N, size_t n) const {
  return Trans(m_Old, true, lat_to_E, lon_to_N, n);
}

bool cProjGrids::Old_Grid_To_WGS84(double* E_to_lat, double* N_to_lon, size_t n) const {
  return Trans(m_Old, false, E_to_lat, N_to_lon, n);
}

bool cProjGrids::New_Grid_To_WGS84(double* E_to_lat, double* N_to_lon, size_t n) const {
  return Trans(m_ToNew, true, E_to_lat, N_to_lon, n);
}

double cProjGrids::Whole_Metres(double v) { return Xlate::Trunc_Value(v + 0.5); }
