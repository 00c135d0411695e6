// Transfers against the receiver simulator on a pseudo-terminal, through the real driver and
// QSerialPort: a 10,000-point track log download and a 500-point route upload as fast as the
// pseudo-terminal goes, and the same download on a line paced at 9600 baud, compared with the
// line's own limit (bytes on the wire x 10 bits / 9600).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include "garmin/cGarmin.h"
#include "garmin/cSerialPort.h"
#include "points/cVQPoints.h"
#include "tests/sim/cSimReceiver.h"
#include "workflows/cTransfer.h"
#include "workflows/cTransferUI.h"

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
    QObject::connect(&transfer, &cTransfer::Ended, [this](cTransfer::cEnd how) {
      ui.ended = true;
      ui.completed = how == cTransfer::cEnd::Completed;
    });
  }
  void Run() {
    while (!ui.ended) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
};

// Records (n points and a header), the header, n points, transfer complete.
QList<cSimReceiver::cPacket> Track_Script(int n) {
  QList<cSimReceiver::cPacket> script = {
      {27, QByteArray(1, char((n + 1) & 0xFF)) + QByteArray(1, char((n + 1) >> 8))},
      {99, QByteArray("\x01\xFF\x00T\0", 5)}};
  for (int i = 0; i < n; ++i) script.append({34, QByteArray(21, char(i & 0x7F))});
  script.append({12, QByteArray("\x06\x00", 2)});
  return script;
}

void BM_Track_Download_10000(benchmark::State& state) {
  const int n = 10000;
  for (auto _ : state) {
    state.PauseTiming();
    cRig rig;
    rig.sim.Set_Script(6, Track_Script(n));
    state.ResumeTiming();
    rig.transfer.Garmin_Download_Start(1, "9600,N,8,1");
    rig.Run();
    state.counters["points"] = rig.points.Count();
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * n);
}
BENCHMARK(BM_Track_Download_10000)->Unit(benchmark::kMillisecond)->Iterations(2);

// The download on a line paced at 9600 baud, timed from the moment the track request has
// crossed the line to the end of the transfer; the limit is what the bytes of that span take
// on the line. The handshake's fixed wait is outside the span.
void BM_Track_Download_Paced_9600(benchmark::State& state) {
  const int n = int(state.range(0));
  for (auto _ : state) {
    cRig rig;
    rig.sim.Line_Baud = 9600;
    // The product answer takes about 60 ms on this line: wait for it before asking again.
    rig.transfer.Set_Handshake_Wait_Ms(500);
    rig.sim.Set_Script(6, Track_Script(n));
    QElapsedTimer clock;
    qint64 bytes_at_start = 0;
    QObject::connect(&rig.sim, &cSimReceiver::Packet_Received, [&](const QByteArray& p) {
      if (quint8(p[1]) == 10 && quint8(p[3]) == 6) {
        clock.start();
        bytes_at_start = rig.sim.Wire_Bytes();
      }
    });
    rig.transfer.Garmin_Download_Start(1, "9600,N,8,1");
    rig.Run();
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    const double limit = double(rig.sim.Wire_Bytes() - bytes_at_start) * 10 / 9600;
    state.SetIterationTime(seconds);
    state.counters["points"] = rig.points.Count();
    state.counters["line_limit_s"] = limit;
    state.counters["measured_s"] = seconds;
    state.counters["over_limit_pct"] = (seconds / limit - 1) * 100;
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * n);
}
BENCHMARK(BM_Track_Download_Paced_9600)
    ->Arg(500)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

// The same log read by GPSBabel's Garmin serial module from the same simulator, for comparison;
// its time includes starting the process. Arg: points; second Arg: line baud (0: unpaced).
void BM_Track_Download_Gpsbabel(benchmark::State& state) {
  const int n = int(state.range(0));
  for (auto _ : state) {
    cRig rig;
    rig.sim.Line_Baud = int(state.range(1));
    rig.sim.Set_Script(6, Track_Script(n));
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("log.gpx"));
    QProcess babel;
    QElapsedTimer clock;
    clock.start();
    babel.start(QStringLiteral("gpsbabel"),
                {QStringLiteral("-t"), QStringLiteral("-i"), QStringLiteral("garmin"),
                 QStringLiteral("-f"), rig.sim.Slave_Path(), QStringLiteral("-o"),
                 QStringLiteral("gpx"), QStringLiteral("-F"), out});
    while (babel.state() != QProcess::NotRunning && clock.elapsed() < 600000)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    QFile f(out);
    state.counters["points"] = f.open(QIODevice::ReadOnly) ? f.readAll().count("<trkpt") : -1;
    state.counters["exit"] = babel.exitCode();
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * n);
}
BENCHMARK(BM_Track_Download_Gpsbabel)
    ->Args({10000, 0})
    ->Args({500, 9600})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

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
