// Simplifying a 200,000-point track to the 250 points a Garmin route holds, beside reading the
// same track from its GPX text: the simplification must take well under the reading.
#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QTimeZone>
#include <cmath>
#include <random>

#include "files/PointFile.h"
#include "points/cVQPoints.h"
#include "points/cVQShape.h"

namespace {
constexpr int kPoints = 200000;

// A day's walk from Jerusalem: a fix a second, 1.2 m a step, the heading wandering as a path
// does, with a metre of GPS noise on every fix.
QByteArray Make_Track() {
  std::mt19937 rnd(22);
  std::normal_distribution<double> turn(0, 0.05), noise(0, 1);
  QByteArray out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx "
      "xmlns=\"http://www.topografix.com/GPX/1/1\" "
      "version=\"1.1\" creator=\"bench\">\n<trk><name>Walk</name><trkseg>\n";
  const QDateTime t0(QDate(2024, 3, 14), QTime(5, 0), QTimeZone::utc());
  double x = 0, y = 0, heading = 0;
  for (int i = 0; i < kPoints; ++i) {
    heading += turn(rnd);
    x += 1.2 * std::sin(heading), y += 1.2 * std::cos(heading);
    const double lat = 31.7767 + (y + noise(rnd)) / 111000;
    const double lon = 35.2345 + (x + noise(rnd)) / 94700;
    out += "<trkpt lat=\"" + QByteArray::number(lat, 'f', 7) + "\" lon=\"" +
           QByteArray::number(lon, 'f', 7) + "\"><ele>" +
           QByteArray::number(750 + 40 * std::sin(i / 3000.0), 'f', 1) + "</ele><time>" +
           t0.addSecs(i).toString(Qt::ISODate).toLatin1() + "</time></trkpt>\n";
  }
  return out + "</trkseg></trk></gpx>\n";
}

const QByteArray& Track() {
  static const QByteArray track = Make_Track();
  return track;
}

void BM_Read_200000(benchmark::State& state) {
  for (auto _ : state) {
    cVQPoints points;
    Load_Point_Bytes(Track(), cPointFileKind::Gpx, points);
    if (points.Count() != kPoints) state.SkipWithError("points lost");
  }
}
BENCHMARK(BM_Read_200000)->Unit(benchmark::kMillisecond);

// Arguments: the count kept (0: none) and the tolerance in metres (-1: none).
void BM_Simplify_200000(benchmark::State& state) {
  cVQPoints points;
  Load_Point_Bytes(Track(), cPointFileKind::Gpx, points);
  cSimplified s;
  for (auto _ : state) s = Simplify(points, double(state.range(1)), int(state.range(0)));
  state.counters["kept"] = double(s.Kept.size());
  state.counters["max_dev_m"] = s.Max_Dev_m;
}
BENCHMARK(BM_Simplify_200000)
    ->Args({250, -1})
    ->Args({50, -1})
    ->Args({0, 10})
    ->Args({250, 10})
    ->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
