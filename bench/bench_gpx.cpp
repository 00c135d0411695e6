// Reading a 200,000-point GPX track (as a receiver records one: position, elevation, time) and
// writing it as VQ's CSV. `bench_gpx --make FILE` writes the track file, so that the same file
// can be given to `vqtool convert FILE OUT.csv` and to gpsbabel, timed as whole processes.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTimeZone>
#include <cstring>

#include "files/Exports.h"
#include "files/PointFile.h"
#include "points/cVQPoints.h"

namespace {
constexpr int kPoints = 200000;

// A walk from Jerusalem northwards, one point a second, in segments of 10,000 points.
QByteArray Make_Track(int n) {
  QByteArray out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" version=\"1.1\" creator=\"bench\">\n"
      " <trk>\n  <name>Long walk</name>\n  <trkseg>\n";
  QDateTime t(QDate(2024, 3, 14), QTime(6, 0), QTimeZone::utc());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && i % 10000 == 0) out += "  </trkseg>\n  <trkseg>\n";
    out += "   <trkpt lat=\"" + QByteArray::number(31.7767 + i * 1.3e-5, 'f', 9) + "\" lon=\"" +
           QByteArray::number(35.2345 + (i % 977) * 1.1e-5, 'f', 9) + "\"><ele>" +
           QByteArray::number(754.2 + (i % 300) * 0.1, 'f', 1) + "</ele><time>" +
           t.addSecs(i).toString(Qt::ISODate).toLatin1() + "</time></trkpt>\n";
  }
  return out + "  </trkseg>\n </trk>\n</gpx>\n";
}

const QByteArray& Track() {
  static const QByteArray track = Make_Track(kPoints);
  return track;
}

void BM_Read_Gpx_Write_Csv_200000(benchmark::State& state) {
  const QByteArray& gpx = Track();
  for (auto _ : state) {
    cVQPoints points;
    Load_Point_Bytes(gpx, cPointFileKind::Gpx, points);
    const QByteArray csv = CSV_Bytes(points);
    if (points.Count() != kPoints) state.SkipWithError("points lost");
    benchmark::DoNotOptimize(csv.data());
  }
  state.SetBytesProcessed(state.iterations() * gpx.size());
}
BENCHMARK(BM_Read_Gpx_Write_Csv_200000)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc == 3 && std::strcmp(argv[1], "--make") == 0) {
    QFile file(QString::fromLocal8Bit(argv[2]));
    return file.open(QIODevice::WriteOnly) && file.write(Track()) == Track().size() ? 0 : 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
