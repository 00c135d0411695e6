// The driver's share of a transfer paced by the serial line: the time from a frame's last
// byte reaching the pseudo-terminal to our ACK coming back out of it (median, target under
// 1 ms), and the CPU the thread uses while WaitFor waits (target under 2%).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "garmin/cGarmin.h"
#include "garmin/cSerialPort.h"
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
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
