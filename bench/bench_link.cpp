// The driver's share of a transfer paced by the serial line: the time from a frame's last
// byte reaching the pseudo-terminal to our ACK coming back out of it (median, target under
// 1 ms), the CPU the thread uses while WaitFor waits (target under 2%), and the receive path's
// own throughput: bytes per second through framing, ACKs and dispatch for a stream of track
// points handed over in the pieces a serial port delivers.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "garmin/Framing.h"
#include "garmin/cGarmin.h"
#include "garmin/cSerialPort.h"
#include "tests/doubles/cMemComm.h"
#include "tests/garmin/Helpers.h"
#include "tests/sim/cSimReceiver.h"

namespace {
double Cpu_Seconds() {
  rusage u;
  getrusage(RUSAGE_SELF, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct cBench_Rig {
  QTemporaryDir Dir;
  cSimReceiver Sim;
  cSerialPort Port;
  QTimer Timer;
  cGarmin Garmin;
  cBench_Rig() {
    Port.setDevicePath(Sim.Slave_Path());
    Timer.setInterval(2000);
    Garmin.setComGarmin(&Port);
    Garmin.setTmrTimeout(&Timer);
    Garmin.setSettings(QStringLiteral("9600,N,8,1"));
    Garmin.PortOpen();
  }
};

// One iteration: the simulator writes a track point; the clock stops when our ACK arrives.
void BM_Frame_To_Ack(benchmark::State& state) {
  cBench_Rig rig;
  QByteArray point(21, '\x11');
  std::vector<double> us;
  QElapsedTimer clock;
  bool acked = false;
  QObject::connect(&rig.Sim, &cSimReceiver::Packet_Received, [&](const QByteArray& p) {
    if (quint8(p[1]) == 6) acked = true;
  });
  for (auto _ : state) {
    acked = false;
    clock.start();
    rig.Sim.Send_Packet(34, point);
    while (!acked) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    us.push_back(double(clock.nsecsElapsed()) / 1000.0);
  }
  std::sort(us.begin(), us.end());
  if (!us.empty()) state.counters["median_us"] = us[us.size() / 2];
}
BENCHMARK(BM_Frame_To_Ack)->Iterations(2000)->Unit(benchmark::kMicrosecond);

// CPU share of a one-second WaitFor with the response timer running and nothing arriving.
void BM_WaitFor_Cpu(benchmark::State& state) {
  cBench_Rig rig;
  rig.Sim.Silent = true;
  for (auto _ : state) {
    rig.Garmin.Request_Product_Data();
    const double cpu0 = Cpu_Seconds();
    QElapsedTimer wall;
    wall.start();
    rig.Garmin.WaitFor(1);
    state.counters["cpu_percent"] =
        100.0 * (Cpu_Seconds() - cpu0) / (double(wall.elapsed()) / 1000.0);
  }
}
BENCHMARK(BM_WaitFor_Cpu)->Iterations(2)->Unit(benchmark::kMillisecond);

// 10,000 D301 track points after a Records packet, through the in-memory control in pieces of
// state.range(0) bytes; every point is ACKed and decoded (the points counter shows it).
void BM_Receive_Path(benchmark::State& state) {
  QByteArray stream = Wire_Of(27, QByteArray("\x10\x27", 2));
  for (int i = 0; i < 10000; ++i) {
    QByteArray point(21, '\0');
    for (int b = 0; b < 21; ++b) point[b] = char((i * 7 + b * 13) & 0xFF);  // some 0x10 to stuff
    stream += Wire_Of(34, point);
  }
  const int piece = int(state.range(0));
  qint64 points = 0;
  for (auto _ : state) {
    cMemComm comm;
    QTimer timer;
    timer.setInterval(2000);
    cGarmin garmin;
    garmin.setComGarmin(&comm);
    garmin.setTmrTimeout(&timer);
    garmin.setSettings(QStringLiteral("9600,N,8,1"));
    garmin.PortOpen();
    QObject::connect(&garmin, &cGarmin::Receive, [&](quint8 pid, quint8) { points += pid == 34; });
    for (int at = 0; at < stream.size(); at += piece) {
      comm.Feed(stream.mid(at, piece));
      // The event loop runs until every complete frame of the piece has been taken.
      while (Framing::Find_Frame_End(garmin.RxBuffer()) >= 0) QCoreApplication::processEvents();
      comm.Written.clear();
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * stream.size());
  state.counters["points"] = double(points) / double(state.iterations());
}
BENCHMARK(BM_Receive_Path)->Arg(16)->Arg(256)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
