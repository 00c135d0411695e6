// Grid conversion throughput: 1,000,000 positions spread over the country, each way, side by
// side with PROJ's transverse Mercator on the same ellipsoid and origin. After the runs it
// prints the ratio of throughputs and the largest difference from PROJ in millimetres, taken
// before our rounding to whole metres.
#include <benchmark/benchmark.h>
#include <proj.h>

#include <QString>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "geo/Xlate.h"

namespace {
struct cLatLon {
  double lat, lon;
};

// A 1000 x 1000 lattice from Eilat to the Hermon, from the coast to the Jordan.
const std::vector<cLatLon>& Positions() {
  static const std::vector<cLatLon> positions = [] {
    std::vector<cLatLon> v;
    v.reserve(1000000);
    for (int i = 0; i < 1000; ++i)
      for (int j = 0; j < 1000; ++j) v.push_back({29.5 + i * 0.0038, 34.25 + j * 0.0017});
    return v;
  }();
  return positions;
}

void BM_LatLon_To_ITM(benchmark::State& state) {
  const auto& pos = Positions();
  for (auto _ : state) {
    double sum = 0;
    for (const cLatLon& p : pos) {
      double E = 0, N = 0;
      Xlate::LatLon_To_ITM(p.lat, p.lon, E, N);
      sum += E + N;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(pos.size()));
}
BENCHMARK(BM_LatLon_To_ITM)->Unit(benchmark::kMillisecond);

void BM_ITM_To_LatLon(benchmark::State& state) {
  const auto& pos = Positions();
  std::vector<cLatLon> grid;
  grid.reserve(pos.size());
  for (const cLatLon& p : pos) {
    double E = 0, N = 0;
    Xlate::LatLon_To_ITM(p.lat, p.lon, E, N);
    grid.push_back({E, N});
  }
  for (auto _ : state) {
    double sum = 0;
    for (const cLatLon& g : grid) {
      double lat = 0, lon = 0;
      Xlate::ITM_To_LatLon(g.lat, g.lon, lat, lon);
      sum += lat + lon;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(grid.size()));
}
BENCHMARK(BM_ITM_To_LatLon)->Unit(benchmark::kMillisecond);

constexpr double kDeg = M_PI / 180;
const char* const kGrid =
    "+proj=tmerc +lat_0=31.73409 +lon_0=35.21206 +k=1 +x_0=170251 +y_0=1126868 "
    "+a=6378300.789 +rf=293.466";

// PROJ's operation for the grid, made once; its context and object live for the whole run.
PJ* Proj() {
  static PJ* pj = proj_create(PJ_DEFAULT_CTX, kGrid);
  return pj;
}

// Longitudes and latitudes in radians, as PROJ takes them.
struct cArrays {
  std::vector<double> x, y;
};
cArrays Radians() {
  cArrays a;
  for (const cLatLon& p : Positions()) {
    a.x.push_back(p.lon * kDeg);
    a.y.push_back(p.lat * kDeg);
  }
  return a;
}

void Trans(PJ_DIRECTION direction, cArrays& a) {
  const size_t n = a.x.size();
  proj_trans_generic(Proj(), direction, a.x.data(), sizeof(double), n, a.y.data(), sizeof(double),
                     n, nullptr, 0, 0, nullptr, 0, 0);
}

void BM_PROJ_Forward(benchmark::State& state) {
  const cArrays source = Radians();
  cArrays a;
  for (auto _ : state) {
    state.PauseTiming();
    a = source;
    state.ResumeTiming();
    Trans(PJ_FWD, a);
    benchmark::DoNotOptimize(a.x.data());
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(source.x.size()));
}
BENCHMARK(BM_PROJ_Forward)->Unit(benchmark::kMillisecond);

void BM_PROJ_Inverse(benchmark::State& state) {
  cArrays source = Radians();
  Trans(PJ_FWD, source);
  cArrays a;
  for (auto _ : state) {
    state.PauseTiming();
    a = source;
    state.ResumeTiming();
    Trans(PJ_INV, a);
    benchmark::DoNotOptimize(a.x.data());
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(source.x.size()));
}
BENCHMARK(BM_PROJ_Inverse)->Unit(benchmark::kMillisecond);

// The largest distances between our results and PROJ's over the same points: the grid before
// rounding (our formula with the false origin added), and latitude/longitude from PROJ's
// unrounded grid, turned into metres on the ground.
void Print_Differences() {
  cArrays grid = Radians();
  Trans(PJ_FWD, grid);
  double fwd_mm = 0, inv_mm = 0;
  const auto& pos = Positions();
  for (size_t i = 0; i < pos.size(); ++i) {
    double x = 0, y = 0;
    Xlate::TM_Forward(pos[i].lat, pos[i].lon, 31.73409, 35.21206, 1, x, y);
    fwd_mm = std::max(fwd_mm, std::hypot(x + 170251 - grid.x[i], y + 1126868 - grid.y[i]) * 1000);
    double lat = 0, lon = 0;
    Xlate::ITM_To_LatLon(grid.x[i], grid.y[i], lat, lon);
    const double north = (lat - pos[i].lat) * kDeg * 6378300.789;
    const double east = (lon - pos[i].lon) * kDeg * 6378300.789 * std::cos(pos[i].lat * kDeg);
    inv_mm = std::max(inv_mm, std::hypot(north, east) * 1000);
  }
  std::printf("largest difference from PROJ: LatLon_To_ITM %.3f mm, ITM_To_LatLon %.3f mm\n",
              fwd_mm, inv_mm);
}

// Keeps each benchmark's throughput for the ratios printed at the end.
class cRatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> Per_Second;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      const auto it = r.counters.find("items_per_second");
      if (it != r.counters.end()) Per_Second[r.run_name.function_name] = it->second;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

void Print_Ratio(const cRatioReporter& r, const char* ours, const char* theirs, const char* what) {
  const auto a = r.Per_Second.find(ours), b = r.Per_Second.find(theirs);
  if (a == r.Per_Second.end() || b == r.Per_Second.end() || b->second <= 0) return;
  std::printf("%s: %.2f times PROJ's throughput (%.2f M/s against %.2f M/s)\n", what,
              a->second / b->second, a->second / 1e6, b->second / 1e6);
}
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!Proj()) {
    std::fprintf(stderr, "bench_grid: PROJ refused the grid's definition\n");
    return 1;
  }
  cRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  Print_Ratio(reporter, "BM_LatLon_To_ITM", "BM_PROJ_Forward", "LatLon_To_ITM");
  Print_Ratio(reporter, "BM_ITM_To_LatLon", "BM_PROJ_Inverse", "ITM_To_LatLon");
  Print_Differences();
  return 0;
}
