// Reading a 200,000-point GPX track (as a receiver records one: position, elevation, time) and
// writing it as VQ's CSV. `bench_gpx --make FILE` writes the track file, so that the same file
// can be given to `vqtool convert FILE OUT.csv` and to gpsbabel, timed as whole processes.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <cstring>

#include "bench/BenchTrack.h"
#include "files/Exports.h"
#include "files/PointFile.h"
#include "points/cVQPoints.h"

namespace {
using BenchTrack::kPoints;
using BenchTrack::Track;

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
