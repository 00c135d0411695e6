#include <gtest/gtest.h>

#include <vector>

#include "geo/cProjGrids.h"

// At named places, in one call each way, as cs2cs 9.1.1 writes them: EPSG:4326 to EPSG:2039, and
// EPSG:28193 to EPSG:4326 and back (PROJ's Cassini-Soldner series loses about 12 mm there and
// back, cs2cs too). The Hermon lies outside the Survey of Israel's area: PROJ's choice, as cs2cs.
TEST(cProjGrids, NamedPlacesAsCs2csGivesThem) {
  const struct {
    double lat, lon, E, N, old_E, old_N, lat2, lon2;
  } k[] = {
      {31.7683, 35.2137, 220333.4649, 630626.1340, 170333, 1130624, 31.7682984390, 35.2137045698},
      {32.08, 34.78, 179383.7839, 665268.3345, 129383, 1165267, 32.0800031667, 34.7799987746},
      {32.794, 34.9896, 199331.9317, 744389.5783, 149331, 1244388, 32.7939985886, 34.9895955927},
      {29.5577, 34.9519, 194982.1158, 385574.2845, 144981, 885571, 29.5576960292, 34.9519020061},
      {33.2778, 35.5786, 254313.1858, 798088.1425, 204313, 1298087, 33.2778029657, 35.5786006896},
      {31.559, 35.4732, 244973.3948, 607449.7698, 194972, 1107448, 31.5590031539, 35.4731952198},
      {33.4163, 35.8571, 280162.5795, 813577.4253, 230162, 1313576, 33.4163011335, 35.8571023731},
  };  // Jerusalem, Tel Aviv, Haifa, Eilat, Metula, the Dead Sea, Mount Hermon
  const size_t n = sizeof(k) / sizeof(k[0]);
  const cProjGrids& proj = cProjGrids::Shared();
  ASSERT_TRUE(proj.Ok()) << proj.Error();
  std::vector<double> x, y, e, f;
  for (const auto& p : k)
    x.push_back(p.lat), y.push_back(p.lon), e.push_back(p.old_E), f.push_back(p.old_N);
  ASSERT_TRUE(proj.WGS84_To_New_Grid(x.data(), y.data(), n));
  ASSERT_TRUE(proj.Old_Grid_To_WGS84(e.data(), f.data(), n));
  for (size_t i = 0; i < n; ++i) {
    EXPECT_NEAR(x[i], k[i].E, 1e-3) << i;
    EXPECT_NEAR(y[i], k[i].N, 1e-3) << i;
    EXPECT_NEAR(e[i], k[i].lat2, 1e-8) << i;  // 1 mm of latitude is 9e-9 degrees
    EXPECT_NEAR(f[i], k[i].lon2, 1e-8) << i;
  }
  ASSERT_TRUE(proj.WGS84_To_Old_Grid(e.data(), f.data(), n));
  for (size_t i = 0; i < n; ++i) EXPECT_NEAR(e[i] + f[i], k[i].old_E + k[i].old_N, 0.03) << i;
}

// Without proj.db nothing is set up, the reason is given, and conversions refuse.
TEST(cProjGrids, WithoutProjDbItSaysSo) {
  const cProjGrids proj("/nonexistent-proj-data");
  double x = 31.7683, y = 35.2137;
  EXPECT_FALSE(proj.Ok() || proj.WGS84_To_New_Grid(&x, &y, 1));
  EXPECT_NE(proj.Error().find("PROJ"), std::string::npos);
  EXPECT_EQ(x, 31.7683);
}
