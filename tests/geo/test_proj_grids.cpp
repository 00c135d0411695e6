#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "geo/cProjGrids.h"

namespace {
// Expected values written out by PROJ's own command line (cs2cs 9.1.1), at named places; the
// Hermon lies outside the Survey of Israel transformation's area and gets PROJ's choice there.
struct cPlace {
  const char* name;
  double lat, lon, new_E, new_N;    // cs2cs EPSG:4326 EPSG:2039
  double old_E, old_N, lat2, lon2;  // cs2cs EPSG:28193 EPSG:4326
};
const cPlace kPlaces[] = {
    {"Jerusalem", 31.7683, 35.2137, 220333.4649, 630626.1340, 170333, 1130624, 31.7682984390,
     35.2137045698},
    {"Tel Aviv", 32.08, 34.78, 179383.7839, 665268.3345, 129383, 1165267, 32.0800031667,
     34.7799987746},
    {"Haifa", 32.794, 34.9896, 199331.9317, 744389.5783, 149331, 1244388, 32.7939985886,
     34.9895955927},
    {"Eilat", 29.5577, 34.9519, 194982.1158, 385574.2845, 144981, 885571, 29.5576960292,
     34.9519020061},
    {"Metula", 33.2778, 35.5786, 254313.1858, 798088.1425, 204313, 1298087, 33.2778029657,
     35.5786006896},
    {"Dead Sea", 31.559, 35.4732, 244973.3948, 607449.7698, 194972, 1107448, 31.5590031539,
     35.4731952198},
    {"Mount Hermon", 33.4163, 35.8571, 280162.5795, 813577.4253, 230162, 1313576, 33.4163011335,
     35.8571023731},
};
constexpr size_t kCount = sizeof(kPlaces) / sizeof(kPlaces[0]);
constexpr double kMm = 0.001, kMmInDegrees = 0.001 / 111000;
}  // namespace

// The whole table in one call each way, as the list converts.
TEST(cProjGrids, NamedPlacesAsCs2csGivesThem) {
  const cProjGrids& proj = cProjGrids::Shared();
  ASSERT_TRUE(proj.Ok()) << proj.Error();
  double x[kCount], y[kCount], e[kCount], n[kCount];
  for (size_t i = 0; i < kCount; ++i) {
    x[i] = kPlaces[i].lat, y[i] = kPlaces[i].lon;
    e[i] = kPlaces[i].old_E, n[i] = kPlaces[i].old_N;
  }
  ASSERT_TRUE(proj.WGS84_To_New_Grid(x, y, kCount));
  ASSERT_TRUE(proj.Old_Grid_To_WGS84(e, n, kCount));
  for (size_t i = 0; i < kCount; ++i) {
    const cPlace& p = kPlaces[i];
    EXPECT_NEAR(x[i], p.new_E, kMm) << p.name;
    EXPECT_NEAR(y[i], p.new_N, kMm) << p.name;
    EXPECT_NEAR(e[i], p.lat2, kMmInDegrees) << p.name;
    EXPECT_NEAR(n[i], p.lon2, kMmInDegrees) << p.name;
    // And back to the grid values it came from, within 2 cm: PROJ's Cassini-Soldner series
    // loses about 12 mm on the way there and back (cs2cs EPSG:4326 EPSG:28193 gives the same).
    ASSERT_TRUE(proj.WGS84_To_Old_Grid(&e[i], &n[i], 1));
    EXPECT_NEAR(e[i], p.old_E, 0.02) << p.name;
    EXPECT_NEAR(n[i], p.old_N, 0.02) << p.name;
  }
  EXPECT_EQ(cProjGrids::Whole_Metres(220333.4649), 220333);
  EXPECT_EQ(cProjGrids::Whole_Metres(630626.5), 630627);
}

// The New Israeli Grid is the old one moved by about (50,000, -500,000) everywhere in the
// country, from Eilat to Metula and from the coast to the Jordan.
TEST(cProjGrids, NewGridIsTheOldOneShifted) {
  const cProjGrids& proj = cProjGrids::Shared();
  ASSERT_TRUE(proj.Ok()) << proj.Error();
  std::vector<double> lat, lon;
  for (double a = 29.6; a <= 33.25; a += 0.05)
    for (double b = 34.3; b <= 35.6; b += 0.05) lat.push_back(a), lon.push_back(b);
  std::vector<double> E = lat, N = lon;
  ASSERT_TRUE(proj.WGS84_To_New_Grid(lat.data(), lon.data(), lat.size()));
  ASSERT_TRUE(proj.WGS84_To_Old_Grid(E.data(), N.data(), E.size()));
  for (size_t i = 0; i < E.size(); ++i) {
    EXPECT_NEAR(lat[i] - E[i], 50000, 4) << i;
    EXPECT_NEAR(lon[i] - N[i], -500000, 4) << i;
  }
}

// Without proj.db nothing is set up, the reason is given, and conversions refuse.
TEST(cProjGrids, WithoutProjDbItSaysSo) {
  const cProjGrids proj("/nonexistent-proj-data");
  EXPECT_FALSE(proj.Ok());
  EXPECT_NE(proj.Error().find("PROJ"), std::string::npos);
  double x = 31.7683, y = 35.2137;
  EXPECT_FALSE(proj.WGS84_To_New_Grid(&x, &y, 1));
  EXPECT_EQ(x, 31.7683);
}
