#include <gtest/gtest.h>

#include <cmath>

#include "geo/CvtUtil.h"
#include "geo/NumText.h"
#include "geo/Xlate.h"

namespace {
constexpr double kDegToRad = 0.0174532925199433;

// The shortest text without a leading zero; rounding sends halves to the even neighbour.
TEST(NumText, ShortestTextAndHalvesToEven) {
  const struct {
    double value;
    const char* text;
  } cases[] = {{2, "2"},           {1.5, "1.5"},
               {.25, ".25"},       {-.5, "-.5"},
               {170251, "170251"}, {-0.0, "0"},
               {0, "0"},           {1130661, "1130661"},
               {0.1 + 0.2, ".3"},  {314605.88, "314605.88"},
               {-12.75, "-12.75"}};
  for (const auto& c : cases) EXPECT_EQ(NumText::Num_Text(c.value), c.text) << c.value;
  const struct {
    double value;
    int places;
    const char* text;
  } rounded[] = {{12.25, 1, "12.2"}, {12.75, 1, "12.8"}, {0.5, 1, ".5"},           {0.5, 0, "0"},
                 {1.5, 0, "2"},      {2.5, 0, "2"},      {111.119999, 2, "111.12"}};
  for (const auto& c : rounded)
    EXPECT_EQ(NumText::Rounded_Text(c.value, c.places), c.text) << c.value;
}

// Known grid positions, whole metres, both ways: Jerusalem (Jaffa Gate area), Tel Aviv, the grid
// origin (which comes back exactly).
TEST(Xlate, GridAtKnownPlacesBothWays) {
  const struct {
    double lat, lon, E, N, tolerance;
  } places[] = {{31.7683, 35.2137, 170406, 1130661, 1e-5},
                {32.08, 34.78, 129458, 1165305, 1e-5},
                {31.73409, 35.21206, 170251, 1126868, 1e-9}};
  for (const auto& p : places) {
    double E = 0, N = 0, lat = 0, lon = 0;
    Xlate::LatLon_To_ITM(p.lat, p.lon, E, N);
    EXPECT_EQ(E, p.E) << p.lat << "," << p.lon;
    EXPECT_EQ(N, p.N) << p.lat << "," << p.lon;
    Xlate::ITM_To_LatLon(p.E, p.N, lat, lon);
    EXPECT_NEAR(lat, p.lat, p.tolerance);
    EXPECT_NEAR(lon, p.lon, p.tolerance);
  }
}

// Forward then inverse within 0.1 mm (about 1e-9 degrees) from Eilat to Mount Hermon; after
// rounding to whole metres the grid round trip stays within half a metre.
TEST(Xlate, RoundTripsAcrossTheCountry) {
  for (double lat = 29.5; lat <= 33.4; lat += 0.13) {
    for (double lon = 34.2; lon <= 35.9; lon += 0.11) {
      double x = 0, y = 0, lat2 = 0, lon2 = 0;
      Xlate::TM_Forward(lat, lon, 31.73409, 35.21206, 1.0, x, y);
      Xlate::TM_Inverse(x, y, 31.73409, 35.21206, 1.0, lat2, lon2);
      EXPECT_NEAR(lat2, lat, 1e-9);
      EXPECT_NEAR(lon2, lon, 1e-9);
      double E = 0, N = 0;
      Xlate::LatLon_To_ITM(lat, lon, E, N);
      Xlate::ITM_To_LatLon(E, N, lat2, lon2);
      double x2 = 0, y2 = 0;
      Xlate::TM_Forward(lat2, lon2, 31.73409, 35.21206, 1.0, x2, y2);
      EXPECT_LE(std::fabs(x2 - x), 0.5 + 1e-6);
      EXPECT_LE(std::fabs(y2 - y), 0.5 + 1e-6);
    }
  }
}

TEST(Xlate, EllipsoidArcAndTruncation) {
  double a = 0, e2 = 0;
  Xlate::Ellipsoid_Params("102", a, e2);
  EXPECT_NEAR(Xlate::Meridian_Arc(31.73409 * kDegToRad, a, e2), 3512126.894, 1e-3);
  EXPECT_EQ(Xlate::Meridian_Arc(0, a, e2), 0);
  // On the central meridian the projection's northing is the arc from the origin: the series
  // the conversion evaluates from one sine and cosine agrees with the arc's own, and the
  // inverse comes back to the latitude, also for another origin and scale.
  for (double lat = 29.0; lat <= 33.5; lat += 0.25) {
    double x = 0, y = 0, lat2 = 0, lon2 = 0;
    Xlate::TM_Forward(lat, 35.21206, 31.73409, 35.21206, 1.0, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_NEAR(y,
                Xlate::Meridian_Arc(lat * kDegToRad, a, e2) -
                    Xlate::Meridian_Arc(31.73409 * kDegToRad, a, e2),
                1e-6)
        << lat;
    Xlate::TM_Forward(lat, 35.5, 0, 33, 0.9996, x, y);
    Xlate::TM_Inverse(x, y, 0, 33, 0.9996, lat2, lon2);
    EXPECT_NEAR(lat2, lat, 1e-9);
    EXPECT_NEAR(lon2, 35.5, 1e-9);
  }
  // Negative values round consistently with positive ones: -2.3 + 0.5 -> -2, -2.7 + 0.5 -> -3.
  const double values[][2] = {{2.7, 2},         {3, 3},           {0, 0},
                              {-2.3 + 0.5, -2}, {-2.7 + 0.5, -3}, {-3, -3}};
  for (const auto& v : values) EXPECT_EQ(Xlate::Trunc_Value(v[0]), v[1]) << v[0];
}

TEST(CvtUtil, LatLonTexts) {
  const struct {
    double value;
    int axis;
    const char* text;
  } cases[] = {{31.7683, 0, "N31 46' 5.88"},  {35.2137, 1, "E35 12' 49.32"},
               {-31.7683, 0, "S31 46' 5.88"}, {-35.2137, 1, "W35 12' 49.32"},
               {31.5, 0, "N31 30' 00"},       {32, 5, "32 0' 00"}};
  for (const auto& c : cases) EXPECT_EQ(CvtUtil::LatLon_Text(c.value, c.axis), c.text);
  const std::string small = CvtUtil::LatLon_Text(33.0001, 0);
  EXPECT_EQ(small.substr(small.size() - 7), "0' 0.36") << small;
  // 59.995 seconds or more show as 60; the minutes are not carried.
  EXPECT_EQ(CvtUtil::LatLon_Text(31 + 59.0 / 60 + 59.996 / 3600, 0), "N31 59' 60");
  // The packed DDMMSS.ss numbers of the .txt export (whole ones: the export test).
  EXPECT_NEAR(CvtUtil::DDMMSS(31.7683), 314605.88, 1e-6);
  EXPECT_NEAR(CvtUtil::DDMMSS(-31.7683), -318645.88, 1e-6);
}

}  // namespace
