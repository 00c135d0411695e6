// Drawing a list on the map: a route of 32,767 labelled points (the most a .twl file holds) and
// a track of 200,000 points, both across the country; the
// whole list in a 1600x1200 image (what the pane draws after a load) and zoomed in eight times
// (what it draws while panning), and the projection done once per list or display switch.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <map>

#include "map/MapDraw.h"
#include "points/cVQPoints.h"

namespace {
// A winding line from Eilat to the Hermon, a point every few metres, as a long recording is.
const cVQPoints& Track(int n) {
  static std::map<int, cVQPoints> lists;
  cVQPoints& points = lists[n];
  if (points.Count() == n) return points;
  points.Reserve(n);
  points.From_Track = n > 32767;
  for (int i = 0; i < n; ++i) {
    const double t = double(i) / n;
    cVQPoint p;
    p.Label = QString::number(i + 1);
    p.lat = 29.55 + 3.7 * t + 0.02 * std::sin(t * 900);
    p.lon = 34.95 + 0.8 * t + 0.05 * std::sin(t * 130) + 0.01 * std::cos(t * 2100);
    p.New_Segment = i % 5000 == 0;
    points.Add(std::move(p));
  }
  return points;
}

void Draw(benchmark::State& state, double zoom) {
  const cVQPoints& points = Track(int(state.range(0)));
  cMapScene scene;
  scene.Build(points, cPlane::Old_Grid);
  cMapView view;
  view.size = QSizeF(1600, 1200);
  view.Fit(scene.Bounds(), 24);
  view.Zoom_At(QPointF(800, 600), zoom);
  QImage image(1600, 1200, QImage::Format_ARGB32_Premultiplied);
  cMapStyle style;
  std::vector<char> selected(size_t(points.Count()), 0);
  style.selected = &selected;
  for (auto _ : state) {
    view.Pan(QPointF(3, 2));  // each frame a little further, as a drag draws them
    QPainter painter(&image);
    MapDraw::Draw(painter, scene, view, style);
  }
  state.counters["points"] = points.Count();
}

void BM_Draw_Whole_List(benchmark::State& state) { Draw(state, 1); }
BENCHMARK(BM_Draw_Whole_List)->Arg(32767)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_Draw_Zoomed_8(benchmark::State& state) { Draw(state, 8); }
BENCHMARK(BM_Draw_Zoomed_8)->Arg(32767)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_Project(benchmark::State& state) {
  const cVQPoints& points = Track(int(state.range(0)));
  for (auto _ : state) {
    cMapScene scene;
    scene.Build(points, state.range(1) ? cPlane::New_Grid : cPlane::Old_Grid);
    benchmark::DoNotOptimize(scene.x.data());
  }
}
BENCHMARK(BM_Project)
    ->ArgNames({"n", "new_grid"})
    ->Args({200000, 0})
    ->Args({200000, 1})
    ->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
