// Opening and showing a 32767-point .twl file: read, convert, fill the list view (offscreen)
// and fit its columns to their texts; the same through the whole window, and the window's
// Open of a 200,000-point GPX track; the display switch on the loaded list, and the grids
// through PROJ beside the original one.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeView>
#include <vector>

#include "app/cColumnFit.h"
#include "app/cListModel.h"
#include "app/frmVQ.h"
#include "bench/BenchTrack.h"
#include "files/TwlFile.h"
#include "geo/Xlate.h"
#include "geo/cProjGrids.h"
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
  QSettings(QStringLiteral("VQ"), QStringLiteral("VQ")).setValue("Map/Tiles", "0");  // offline
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

// The window's Open of a 200,000-point GPX track, until the list is shown and the window
// takes input again.
void BM_Window_Open_Gpx_200000(benchmark::State& state) {
  QTemporaryDir store;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
  QSettings(QStringLiteral("VQ"), QStringLiteral("VQ")).setValue("Settings/1StUse", "1");
  const QString path = store.filePath(QStringLiteral("track.gpx"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(BenchTrack::Track()) < 0) return;
  file.close();
  cFakeServices services;
  frmVQ w(services);
  w.Form_Load({});
  w.show();
  for (auto _ : state) {
    w.Open_File(path);
    QApplication::processEvents();
  }
  state.counters["points"] = w.Points.Count();
}
BENCHMARK(BM_Window_Open_Gpx_200000)->Unit(benchmark::kMillisecond);

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

// The list shown in one display, again and again: 0 latitude/longitude, 1 the old grid (with the
// datum option: through PROJ), 2 the New Israeli Grid (through PROJ).
void BM_Show_In_32767(benchmark::State& state) {
  cScene& s = Scene();
  Load_TWL_File(s.path, s.points);
  s.points.Set_Datum(state.range(1) != 0);
  for (auto _ : state) {
    s.points.Set_CoorSys(qint16(state.range(0)));
    QApplication::processEvents();
  }
  s.points.Set_Datum(false);
  s.points.Set_CoorSys(1);
}
BENCHMARK(BM_Show_In_32767)
    ->ArgNames({"CoorSys", "Datum"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

// The grid values alone for the 32767 points: the original formulas point by point, and PROJ's
// New Israeli Grid in one call.
void BM_Grid_Values_32767(benchmark::State& state) {
  cScene& s = Scene();
  Load_TWL_File(s.path, s.points);
  std::vector<double> lat, lon;
  for (const cVQPoint& p : s.points) lat.push_back(p.lat), lon.push_back(p.lon);
  const cProjGrids& proj = cProjGrids::Shared();
  for (auto _ : state) {
    std::vector<double> E = lat, N = lon;
    if (state.range(0) == 2) {
      proj.WGS84_To_New_Grid(E.data(), N.data(), E.size());
    } else {
      for (size_t i = 0; i < E.size(); ++i) Xlate::LatLon_To_ITM(lat[i], lon[i], E[i], N[i]);
    }
    benchmark::DoNotOptimize(E.data());
  }
}
BENCHMARK(BM_Grid_Values_32767)->ArgName("CoorSys")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// One point of the 32767 edited in the window (its easting typed in the middle of the list): its
// row and the next leg redrawn, the status bar's total, the repaint; beside the Open above.
void BM_Window_Edit_One_Of_32767(benchmark::State& state) {
  cScene& s = Scene();
  QTemporaryDir store;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
  QSettings(QStringLiteral("VQ"), QStringLiteral("VQ")).setValue("Settings/1StUse", "1");
  cFakeServices services;
  frmVQ w(services);
  w.Form_Load(s.path);
  w.show();
  const QModelIndex cell = w.lvModel->index(16000, 1);
  const int E = w.lvModel->Row_Text(16001, 2).toInt();
  int step = 0;
  for (auto _ : state) {
    w.lvModel->setData(cell, QString::number(E + (++step % 2) * 10), Qt::EditRole);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_Window_Edit_One_Of_32767)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
