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

// The farthest point between rows a and b from their segment (clamped to its ends), and its row.
std::pair<double, int> Farthest(const cGrid& g, int a, int b) {
  std::pair<double, int> far{0, -1};
  const double dx = g[b].first - g[a].first, dy = g[b].second - g[a].second;
  for (int i = a + 1; i < b; ++i) {
    const double px = g[i].first - g[a].first, py = g[i].second - g[a].second;
    const double t = dx || dy ? std::clamp((px * dx + py * dy) / (dx * dx + dy * dy), 0.0, 1.0) : 0;
    far = std::max(far, {std::hypot(px - t * dx, py - t * dy), i});
  }
  return far;
}

// The farthest dropped point of all, from the segment between its kept neighbours.
std::pair<double, int> Max_Dev(const cGrid& g, const std::vector<int>& kept) {
  std::pair<double, int> far{0, -1};
  for (size_t k = 1; k < kept.size(); ++k) far = std::max(far, Farthest(g, kept[k - 1], kept[k]));
  return far;
}

TEST(cVQPoints, ReverseAndKeepCarryPointsIndexAndSegments) {
  cVQPoints points;
  for (int i = 0; i < 6; ++i) {
    cVQPoint p;
    p.Label = QString::number(i), p.New_Segment = i == 0 || i == 3;  // segments 0-2 and 3-5
    points.Add(p);
  }
  const auto Text = [&](QString t = "") {
    for (const cVQPoint& p : points) t += (p.New_Segment ? "|" : "") + p.Label;
    return t;
  };
  points.Reverse();
  EXPECT_EQ(Text(), "|543|210");
  points.Keep({0, 4, 5, 5, 9});  // the mark of dropped 2 passes to 1; a repeat and a stray ignored
  EXPECT_EQ(Text(), "|5|10");
  EXPECT_TRUE(points.Find("0") == &points.Item(3) && !points.Find("4"));
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
    cGrid g;
    cVQPoints points;
    for (double E = 170000, N = 1130000, h = 0, lat, lon, d;
         int(g.size()) < (round < 200 ? 3 + round % 10 : 40 + round % 60);
         h += turn(rnd), d = leg(rnd), E += d * sin(h), N += d * cos(h)) {
      g.emplace_back(E, N);
      Xlate::ITM_To_LatLon(E, N, lat, lon);
      points.Add(QString::number(g.size()), lat, lon, 0, "");
    }
    const int last = int(g.size()) - 1, cap = 2 + round % 9;
    const auto Check = [&](const cSimplified& s, int most) {
      EXPECT_TRUE(s.Kept.front() == 0 && s.Kept.back() == last && int(s.Kept.size()) <= most);
      EXPECT_TRUE(std::is_sorted(s.Kept.begin(), s.Kept.end()));
      EXPECT_NEAR(s.Max_Dev_m, Max_Dev(g, s.Kept).first, 1e-3);
      return s;
    };
    std::vector<int> fewest(g.size(), 1 << 20), ref{0, last};
    fewest[0] = 1;
    for (int j = 1; j <= last; ++j)
      for (int i = 0; i < j; ++i)
        if (Farthest(g, i, j).first <= 15.001) fewest[j] = std::min(fewest[j], fewest[i] + 1);
    const cSimplified by_tol = Check(Simplify(points, 15, 0), last + 1);
    EXPECT_LE(by_tol.Max_Dev_m, 15.001);
    kept_total += int(by_tol.Kept.size()), fewest_total += fewest[last];
    for (int far; int(ref.size()) < cap && (far = Max_Dev(g, ref).second) >= 0;)
      ref.insert(std::upper_bound(ref.begin(), ref.end(), far), far);
    EXPECT_LE(Check(Simplify(points, -1, cap), cap).Max_Dev_m, Max_Dev(g, ref).first + 1e-3);
    const cSimplified both = Check(Simplify(points, 15, cap), cap);
    EXPECT_TRUE(int(by_tol.Kept.size()) > cap || both.Kept == by_tol.Kept);
    EXPECT_EQ(int(Simplify(points, -1, last + 1).Kept.size()), last + 1);  // within the limit
  }
  EXPECT_GE(kept_total, fewest_total);
  EXPECT_LE(kept_total, fewest_total * 21 / 20);
}

// One list of altitudes a row (NaN: none, the legs 111 m); then times across a clock change.
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
    EXPECT_EQ(std::make_tuple(s.Has_Alt, s.Climb_m, s.Descent_m, s.Min_Alt_m, s.Max_Alt_m),
              std::make_tuple(true, c.climb, c.descent, c.lowest, c.highest));
    EXPECT_NEAR(s.Distance_km, 0.11112 * (c.alts.size() - 1), 1e-5);  // within 1 cm
    EXPECT_FALSE(s.Has_Time);
  }
  // Israel's clocks went from 02:00 to 03:00 on 29 March 2024: 01:30 to 03:30 is one hour.
  cVQPoints points;
  for (const int hour : {3, 2, 1}) {
    cVQPoint p;
    p.Label = QString::number(hour), p.alt = NAN;
    if (hour != 2)
      p.Time = QDateTime(QDate(2024, 3, 29), QTime(hour, 30), QTimeZone("Asia/Jerusalem"));
    points.Add(p);
  }
  const cTrackStats s = Track_Stats(points);
  EXPECT_EQ(std::make_tuple(s.Has_Time, s.Duration_s, s.Has_Alt),
            std::make_tuple(true, 3600.0, false));
}
}  // namespace
