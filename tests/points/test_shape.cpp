// Reversing, keeping, simplifying and the numbers of a track, against references written
// plainly here: the tracks are laid out in Israeli grid metres, where distances are checked.
#include <gtest/gtest.h>

#include <QTimeZone>
#include <cmath>
#include <random>

#include "geo/Xlate.h"
#include "points/cVQPoints.h"
#include "points/cVQShape.h"

namespace {
struct cGrid {
  double E, N;
};

double Seg_Dist(const cGrid& p, const cGrid& a, const cGrid& b) {
  const double dx = b.E - a.E, dy = b.N - a.N, len2 = dx * dx + dy * dy;
  const double t =
      len2 > 0 ? std::clamp(((p.E - a.E) * dx + (p.N - a.N) * dy) / len2, 0.0, 1.0) : 0;
  return std::hypot(p.E - a.E - t * dx, p.N - a.N - t * dy);
}

// The farthest point between rows a and b from their segment: its row and distance.
std::pair<int, double> Farthest(const std::vector<cGrid>& g, int a, int b) {
  std::pair<int, double> f{-1, 0};
  for (int i = a + 1; i < b; ++i)
    if (Seg_Dist(g[i], g[a], g[b]) > f.second) f = {i, Seg_Dist(g[i], g[a], g[b])};
  return f;
}

double Max_Dev(const std::vector<cGrid>& g, const std::vector<int>& kept) {
  double worst = 0;
  for (size_t k = 1; k < kept.size(); ++k)
    worst = std::max(worst, Farthest(g, kept[k - 1], kept[k]).second);
  return worst;
}

// A walk near Jerusalem: legs of 20 to 200 m turning at random.
std::vector<cGrid> Walk(std::mt19937& rnd, int n) {
  std::uniform_real_distribution<double> leg(20, 200), turn(-1.5, 1.5);
  std::vector<cGrid> g{{170000, 1130000}};
  double heading = 0;
  while (int(g.size()) < n) {
    heading += turn(rnd);
    const double d = leg(rnd);
    g.push_back({g.back().E + d * std::sin(heading), g.back().N + d * std::cos(heading)});
  }
  return g;
}

cVQPoints List_Of(const std::vector<cGrid>& g) {
  cVQPoints points;
  for (size_t i = 0; i < g.size(); ++i) {
    double lat = 0, lon = 0;
    Xlate::ITM_To_LatLon(g[i].E, g[i].N, lat, lon);
    points.Add(QString::number(i), lat, lon, 0, "");
  }
  return points;
}

TEST(cVQPoints, ReverseAndKeepCarryPointsIndexAndSegments) {
  cVQPoints points;
  for (int i = 0; i < 6; ++i) {
    cVQPoint p;
    p.Label = QString::number(i);
    p.New_Segment = i == 0 || i == 3;  // segments 0-2 and 3-5
    points.Add(p);
  }
  const auto Text = [&] {
    QString t;
    for (const cVQPoint& p : points) t += (p.New_Segment ? "|" : "") + p.Label;
    return t;
  };
  points.Reverse();
  EXPECT_EQ(Text(), "|543|210");
  EXPECT_EQ(points.Find("5"), &points.Item(1));
  points.Keep({0, 4, 5, 5, 9});  // the mark of dropped 2 passes to 1; repeats and strays ignored
  EXPECT_EQ(Text(), "|5|10");
  EXPECT_EQ(points.Find("0"), &points.Item(3));
  EXPECT_EQ(points.Find("4"), nullptr);
}

// Tolerance: every dropped point within it, and hardly more points than the fewest possible
// (found by a shortest path over every pair of rows). Count: never worse than Douglas-Peucker
// refined point by point. Both: the count caps the tolerance's result. The reported deviation
// is the true one, in metres on the ground.
TEST(Simplify, AgainstPlainReferences) {
  std::mt19937 rnd(18);
  int kept_total = 0, fewest_total = 0;
  for (int round = 0; round < 300; ++round) {
    const int n = 3 + round % 10;
    const std::vector<cGrid> g = Walk(rnd, round < 200 ? n : 40 + round % 60);
    const cVQPoints points = List_Of(g);
    const int last = int(g.size()) - 1;
    const auto Check = [&](const cSimplified& s) {
      ASSERT_GE(s.Kept.size(), 2u);
      EXPECT_EQ(s.Kept.front(), 0);
      EXPECT_EQ(s.Kept.back(), last);
      EXPECT_TRUE(std::is_sorted(s.Kept.begin(), s.Kept.end()));
      EXPECT_NEAR(s.Max_Dev_m, Max_Dev(g, s.Kept), 1e-3);
    };
    for (const double tol : {15.0, 60.0}) {
      const cSimplified s = Simplify(points, tol, 0);
      Check(s);
      EXPECT_LE(s.Max_Dev_m, tol + 1e-3);
      if (round >= 200) continue;
      std::vector<int> fewest(g.size(), 1 << 20);
      fewest[0] = 1;
      for (int j = 1; j <= last; ++j)
        for (int i = 0; i < j; ++i)
          if (Farthest(g, i, j).second <= tol + 1e-3)
            fewest[j] = std::min(fewest[j], fewest[i] + 1);
      EXPECT_GE(int(s.Kept.size()), fewest[last]);
      kept_total += int(s.Kept.size()), fewest_total += fewest[last];
    }
    const int cap = 2 + round % 9;
    std::vector<int> ref{0, last};
    while (int(ref.size()) < cap) {
      std::pair<int, double> worst{-1, 0};
      for (size_t k = 1; k < ref.size(); ++k) {
        const auto f = Farthest(g, ref[k - 1], ref[k]);
        if (f.second > worst.second) worst = f;
      }
      if (worst.first < 0) break;
      ref.insert(std::upper_bound(ref.begin(), ref.end(), worst.first), worst.first);
    }
    const cSimplified s = Simplify(points, -1, cap);
    Check(s);
    EXPECT_LE(int(s.Kept.size()), cap);
    EXPECT_LE(s.Max_Dev_m, Max_Dev(g, ref) + 1e-3);
    const cSimplified both = Simplify(points, 15, cap), tol_only = Simplify(points, 15, 0);
    Check(both);
    if (int(tol_only.Kept.size()) <= cap) {
      EXPECT_EQ(both.Kept, tol_only.Kept);
    }
    EXPECT_EQ(int(both.Kept.size()), std::min(cap, int(tol_only.Kept.size())));
    // Within the limit, or no limit: every point.
    EXPECT_EQ(int(Simplify(points, -1, last + 1).Kept.size()), last + 1);
    EXPECT_EQ(int(Simplify(points, -1, 0).Kept.size()), last + 1);
  }
  EXPECT_LE(kept_total, fewest_total * 21 / 20);
}

// Altitudes, times and the legs of one list each row; NaN is an unknown altitude.
TEST(Track_Stats, ClimbNoiseDurationAndDistance) {
  const QTimeZone israel("Asia/Jerusalem");
  std::vector<double> steady;
  for (int i = 0; i <= 200; ++i) steady.push_back(300 + i * 0.5);
  struct cCase {
    const char* name;
    std::vector<double> alts;
    double climb, descent, lowest, highest;
  } cases[] = {
      {"steady climb in half metres", steady, 100, 0, 300, 400},
      {"noise of 2 m either way", {500, 502, 498, 502, 498, 500}, 0, 0, 498, 502},
      {"a descent, then what is left at the end", {100, 90, 93}, 3, 10, 90, 100},
      {"unknown altitudes left out", {NAN, 10, NAN, 40, NAN}, 30, 0, 10, 40},
  };
  for (const cCase& c : cases) {
    SCOPED_TRACE(c.name);
    cVQPoints points;
    for (size_t i = 0; i < c.alts.size(); ++i)
      points.Add(QString::number(i), 31.7 + i * 1e-3, 35.2, c.alts[i], "");
    const cTrackStats s = Track_Stats(points);
    EXPECT_TRUE(s.Has_Alt);
    EXPECT_NEAR(s.Climb_m, c.climb, 1e-9);
    EXPECT_NEAR(s.Descent_m, c.descent, 1e-9);
    EXPECT_EQ(s.Min_Alt_m, c.lowest);
    EXPECT_EQ(s.Max_Alt_m, c.highest);
    EXPECT_FALSE(s.Has_Time);
    double total_km = 0;
    points.Rows(0, &total_km);
    EXPECT_EQ(s.Distance_km, total_km);
  }
  // Israel's clocks went from 02:00 to 03:00 on 29 March 2024: 01:30 to 03:30 is one hour.
  cVQPoints points;
  cVQPoint a, b, c;
  a.Label = "a", b.Label = "b", c.Label = "c";
  a.alt = b.alt = c.alt = NAN;
  b.Time = QDateTime(QDate(2024, 3, 29), QTime(1, 30), israel);
  c.Time = QDateTime(QDate(2024, 3, 29), QTime(3, 30), israel);
  points.Add(b), points.Add(a), points.Add(c);
  const cTrackStats s = Track_Stats(points);
  EXPECT_TRUE(s.Has_Time);
  EXPECT_EQ(s.Duration_s, 3600);
  EXPECT_FALSE(s.Has_Alt);
}
}  // namespace
