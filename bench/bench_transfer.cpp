// Transfers against the receiver simulator on a pseudo-terminal (no line pacing): a 10,000-point
// track log download and a 500-point route upload, through the real driver and QSerialPort.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "app/core/cTransfer.h"
#include "app/core/cTransferUI.h"
#include "garmin/cGarmin.h"
#include "garmin/cSerialPort.h"
#include "points/cVQPoints.h"
#include "tests/sim/cSimReceiver.h"

namespace {
class cQuietUI : public cTransferUI {
 public:
  bool ended = false, completed = false;
  void Notice(const QString&) override {}
  bool Ask_Retry(const QString&) override { return false; }
  bool Ask_Go_On(const QString&) override { return true; }
  void Show_Panel(int, const QString&) override {}
  void Show_Progress(int, int) override {}
  void Set_Busy(bool) override {}
  void Transfer_Ended(bool ok) override {
    ended = true;
    completed = ok;
  }
};

struct cRig {
  cSimReceiver sim;
  cSerialPort comm;
  QTimer timer;
  cGarmin garmin;
  cVQPoints points;
  cQuietUI ui;
  cTransfer transfer{garmin, points, ui};
  cRig() {
    sim.Protocol_Array = cSimReceiver::Array_Of({"P000", "L001", "A010", "A100", "D108", "A201",
                                                 "D202", "D108", "D210", "A301", "D310", "D301"});
    comm.setDevicePath(sim.Slave_Path());
    timer.setInterval(2000);
    garmin.setTmrTimeout(&timer);
    garmin.setComGarmin(&comm);
    transfer.Set_Handshake_Wait_Ms(50);
  }
  void Run() {
    while (!ui.ended) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
};

void BM_Track_Download_10000(benchmark::State& state) {
  const int n = 10000;
  for (auto _ : state) {
    state.PauseTiming();
    cRig rig;
    QList<cSimReceiver::cPacket> script = {
        {27, QByteArray(1, char((n + 1) & 0xFF)) + QByteArray(1, char((n + 1) >> 8))},
        {99, QByteArray("\x01\xFF\x00T\0", 5)}};
    for (int i = 0; i < n; ++i) script.append({34, QByteArray(21, char(i & 0x7F))});
    script.append({12, QByteArray("\x06\x00", 2)});
    rig.sim.Set_Script(6, script);
    state.ResumeTiming();
    rig.transfer.Garmin_Download_Start(1, "9600,N,8,1");
    rig.Run();
    state.counters["points"] = rig.points.Count();
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * n);
}
BENCHMARK(BM_Track_Download_10000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_Route_Upload_500(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    cRig rig;
    for (int i = 0; i < 500; ++i)
      rig.points.Add(QStringLiteral("P%1").arg(i), 31 + i * 1e-4, 35, 0, "");
    state.ResumeTiming();
    rig.transfer.Garmin_Upload_Start(1, "9600,N,8,1", 1, "BENCH");
    rig.Run();
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * 500);
}
BENCHMARK(BM_Route_Upload_500)->Unit(benchmark::kMillisecond)->Iterations(2);
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
