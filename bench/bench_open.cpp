// Opening and showing a 32767-point .twl file: read, convert, fill the list view (offscreen),
// and the display switch on the loaded list.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTreeView>

#include "app/cListModel.h"
#include "files/TwlFile.h"
#include "points/cVQPoints.h"
#include "tests/gen/TwlGen.h"

namespace {
struct cScene {
  QTemporaryDir dir;
  QString path = dir.filePath("big.twl");
  QTreeView view;
  cListModel model;
  cVQPoints points;
  cScene() {
    TwlGen::Write_File(path, TwlGen::Make_TWL(TwlGen::Spread_Records(32767)));
    view.setModel(&model);
    view.setUniformRowHeights(true);
    view.resize(400, 600);
    view.show();
    points.lv = &model;
    points.Set_CoorSys(1);
  }
};

// Made on first use and never destroyed: its widgets must not outlive the application.
cScene& Scene() {
  static cScene* scene = new cScene;
  return *scene;
}

void BM_Open_And_Show_32767(benchmark::State& state) {
  cScene& s = Scene();
  for (auto _ : state) {
    Load_TWL_File(s.path, s.points);
    QApplication::processEvents();  // the repaint
  }
  state.counters["points"] = s.points.Count();
}
BENCHMARK(BM_Open_And_Show_32767)->Unit(benchmark::kMillisecond);

void BM_Display_Switch_32767(benchmark::State& state) {
  cScene& s = Scene();
  Load_TWL_File(s.path, s.points);
  qint16 sys = 0;
  for (auto _ : state) {
    s.points.Set_CoorSys(sys);
    QApplication::processEvents();
    sys = qint16(1 - sys);
  }
}
BENCHMARK(BM_Display_Switch_32767)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
