// Opening and showing a 32767-point .twl file: read, convert, fill the list view (offscreen)
// and fit its columns to their texts; the same through the whole window; and the display
// switch on the loaded list.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeView>

#include "app/cColumnFit.h"
#include "app/cListModel.h"
#include "app/frmVQ.h"
#include "files/TwlFile.h"
#include "points/cVQPoints.h"
#include "tests/app/cFakeServices.h"
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
    ColumnFit::Fit_Numbers(s.view, s.model, true);
    ColumnFit::Fill_Text_Columns(s.view, s.model);
    QApplication::processEvents();  // the repaint
  }
  state.counters["points"] = s.points.Count();
}
BENCHMARK(BM_Open_And_Show_32767)->Unit(benchmark::kMillisecond);

// The window's own Open: load, column widths, the summary in the status bar, the repaint.
void BM_Window_Open_32767(benchmark::State& state) {
  cScene& s = Scene();
  QTemporaryDir store;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
  QSettings(QStringLiteral("VQ"), QStringLiteral("VQ")).setValue("Settings/1StUse", "1");
  cFakeServices services;
  frmVQ w(services);
  w.Form_Load({});
  w.show();
  for (auto _ : state) {
    w.Open_File(s.path);
    QApplication::processEvents();
  }
  state.counters["points"] = w.Points.Count();
}
BENCHMARK(BM_Window_Open_32767)->Unit(benchmark::kMillisecond);

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
