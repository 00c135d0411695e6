// Grid conversion throughput: 1,000,000 positions spread over the country, each way.
#include <benchmark/benchmark.h>

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
}  // namespace

BENCHMARK_MAIN();
