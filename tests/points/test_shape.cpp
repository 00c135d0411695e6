// Reversing, keeping, simplifying and the numbers of a track, against plain references; the
// tracks are laid out in Israeli grid metres, where their distances are checked.
#include <gtest/gtest.h>

#include <QTimeZone>
#include <random>

#include "geo/Xlate.h"
#include "points/cVQPoints.h"
#include "points/cVQShape.h"

namespace {
using cGrid = std::vector<std::pair<double, double>>;

// The farthest point between rows a and b from their segment (clamped to its ends): distance.
double Farthest(const cGrid& g, int a, int b, int* row = nullptr) {
  double worst = 0;
  const double dx = g[b].first - g[a].first, dy = g[b].second - g[a].second;
  for (int i = a + 1; i < b; ++i) {
    const double px = g[i].first - g[a].first, py = g[i].second - g[a].second;
    const double t = dx || dy ? std::clamp((px * dx + py * dy) / (dx * dx + dy * dy), 0.0, 1.0) : 0;
    const double d = std::hypot(px - t * dx, py - t * dy);
    if (d > worst) worst = d, row && (*row = i);
  }
  return worst;
}

double Max_Dev(const cGrid& g, const std::vector<int>& kept) {
  double worst = 0;
  for (size_t k = 1; k < kept.size(); ++k)
    worst = std::max(worst, Farthest(g, kept[k - 1], kept[k]));
  return worst;
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
  points.Keep({0, 4, 5, 5, 9});  // the mark of dropped 2 passes to 1; a repeat and a stray ignored
  EXPECT_EQ(Text(), "|5|10");
  EXPECT_EQ(points.Find("0"), &points.Item(3));
  EXPECT_EQ(points.Find("4"), nullptr);
}

// Random walks near Jerusalem (legs of 20 to 200 m). A tolerance: no dropped point beyond it,
// and hardly more points than the fewest possible (a shortest path over all pairs of rows). A
// count: never worse than Douglas-Peucker refined point by point. Both: the count caps the
// tolerance's result. Always the ends, in order, and the true deviation in metres.
TEST(Simplify, AgainstPlainReferences) {
  std::mt19937 rnd(18);
  std::uniform_real_distribution<double> leg(20, 200), turn(-1.5, 1.5);
  int kept_total = 0, fewest_total = 0;
  for (int round = 0; round < 300; ++round) {
    cGrid g{{170000, 1130000}};
    cVQPoints points;
    for (double heading = 0; int(g.size()) < (round < 200 ? 3 + round % 10 : 40 + round % 60);) {
      heading += turn(rnd);
      const double d = leg(rnd);
      g.emplace_back(g.back().first + d * std::sin(heading),
                     g.back().second + d * std::cos(heading));
    }
    for (const auto& [E, N] : g) {
      cVQPoint p;
      Xlate::ITM_To_LatLon(E, N, p.lat, p.lon);
      points.Add((p.Label = QString::number(points.Count()), p));
    }
    const int last = int(g.size()) - 1;
    const auto Check = [&](const cSimplified& s, int most) {
      EXPECT_EQ(s.Kept.front(), 0);
      EXPECT_EQ(s.Kept.back(), last);
      EXPECT_TRUE(std::is_sorted(s.Kept.begin(), s.Kept.end()));
      EXPECT_LE(int(s.Kept.size()), most);
      EXPECT_NEAR(s.Max_Dev_m, Max_Dev(g, s.Kept), 1e-3);
      return int(s.Kept.size());
    };
    std::vector<int> fewest(g.size(), 1 << 20), ref{0, last};
    fewest[0] = 1;
    for (int j = 1; j <= last; ++j)
      for (int i = 0; i < j; ++i)
        if (Farthest(g, i, j) <= 15.001) fewest[j] = std::min(fewest[j], fewest[i] + 1);
    const cSimplified by_tol = Simplify(points, 15, 0);
    EXPECT_LE(by_tol.Max_Dev_m, 15.001);
    kept_total += Check(by_tol, last + 1), fewest_total += fewest[last];
    const int cap = 2 + round % 9;
    for (int far = 0; int(ref.size()) < cap && far >= 0;) {
      double worst = 0;
      far = -1;
      for (size_t k = 1; k < ref.size(); ++k) {
        int row = -1;
        const double d = Farthest(g, ref[k - 1], ref[k], &row);
        if (d > worst) worst = d, far = row;
      }
      if (far >= 0) ref.insert(std::upper_bound(ref.begin(), ref.end(), far), far);
    }
    EXPECT_LE(Simplify(points, -1, cap).Max_Dev_m, Max_Dev(g, ref) + 1e-3);
    Check(Simplify(points, -1, cap), cap);
    const cSimplified both = Simplify(points, 15, cap);
    EXPECT_TRUE(Check(both, cap) == cap || both.Kept == by_tol.Kept);
    EXPECT_EQ(int(Simplify(points, -1, last + 1).Kept.size()), last + 1);  // within the limit
  }
  EXPECT_GE(kept_total, fewest_total);
  EXPECT_LE(kept_total, fewest_total * 21 / 20);
}

// Altitudes and legs of one list a row (NaN: no altitude); then times across a clock change.
TEST(Track_Stats, ClimbNoiseDurationAndDistance) {
  std::vector<double> steady;
  for (int i = 0; i <= 200; ++i) steady.push_back(300 + i * 0.5);
  const struct {
    std::vector<double> alts;
    double climb, descent, lowest, highest;
  } cases[] = {
      {steady, 100, 0, 300, 400},                        // a steady climb in half metres
      {{500, 502, 498, 502, 498, 500}, 0, 0, 498, 502},  // noise of 2 m either way
      {{100, 90, 93}, 3, 10, 90, 100},                   // what is left at the end counts
      {{NAN, 10, NAN, 40, NAN}, 30, 0, 10, 40},          // unknown altitudes left out
  };
  for (const auto& c : cases) {
    cVQPoints points;
    for (size_t i = 0; i < c.alts.size(); ++i)
      points.Add(QString::number(i), 31.7 + i * 1e-3, 35.2, c.alts[i], "");
    const cTrackStats s = Track_Stats(points);
    double total_km = 0;
    points.Rows(0, &total_km);
    EXPECT_EQ(std::make_tuple(s.Has_Alt, s.Climb_m, s.Descent_m, s.Min_Alt_m, s.Max_Alt_m),
              std::make_tuple(true, c.climb, c.descent, c.lowest, c.highest));
    EXPECT_EQ(s.Distance_km, total_km);
    EXPECT_FALSE(s.Has_Time);
  }
  // Israel's clocks went from 02:00 to 03:00 on 29 March 2024: 01:30 to 03:30 is one hour.
  const QTimeZone israel("Asia/Jerusalem");
  cVQPoints points;
  for (const int hour : {3, 2, 1}) {
    cVQPoint p;
    p.Label = QString::number(hour), p.alt = NAN;
    if (hour != 2) p.Time = QDateTime(QDate(2024, 3, 29), QTime(hour, 30), israel);
    points.Add(p);
  }
  const cTrackStats s = Track_Stats(points);
  EXPECT_EQ(std::make_tuple(s.Has_Time, s.Duration_s, s.Has_Alt),
            std::make_tuple(true, 3600.0, false));
}
}  // namespace
