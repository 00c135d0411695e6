// End to end: the real QSerialPort on a pseudo-terminal against our receiver simulator.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <functional>

#include "Helpers.h"
#include "garmin/cSerialPort.h"
#include "tests/sim/cSimReceiver.h"

namespace {
class E2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Dir.path());
    ASSERT_TRUE(Sim.Ok());
    Port.setDevicePath(Sim.Slave_Path());
    Sim.Protocol_Array =
        cSimReceiver::Array_Of({"P000", "L001", "A010", "A100", "D108", "A201", "D202", "D108",
                                "D210", "A301", "D310", "D301", "A400", "D400"});
    Timer.setInterval(50);
    Garmin.setComGarmin(&Port);
    Garmin.setTmrTimeout(&Timer);
    Garmin.setPort(7);
    Garmin.setSettings(QStringLiteral("9600,N,8,1"));
    QObject::connect(&Garmin, &cGarmin::Receive, [this](quint8 p, quint8 f) {
      Ev.Receive.append({p, f});
    });
    QObject::connect(&Garmin, &cGarmin::NMEA, [this](const QString& s, bool ok) {
      Ev.Nmea.append({s, ok});
    });
    QObject::connect(&Garmin, &cGarmin::cError,
                     [this](qint16 n, const QString& m, const QByteArray& p) {
                       Ev.Errors.append({n, m, p});
                     });
  }
  void TearDown() override { Garmin.PortClose(); }
  // Pumps events until `done` or about three seconds have passed.
  bool Wait_Until(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 3000) Garmin.WaitFor_Ms(10);
    return done();
  }
  bool Got(quint8 pid) const {
    for (const auto& r : Ev.Receive)
      if (r.first == pid) return true;
    return false;
  }

  QTemporaryDir Dir;
  cSimReceiver Sim;
  cSerialPort Port;
  QTimer Timer;
  cGarmin Garmin;
  cEvents Ev;
};
}  // namespace

TEST_F(E2E, PortNumbersMapToDevices) {
  EXPECT_EQ(Default_Port_Device(1), QStringLiteral("/dev/ttyUSB0"));
  EXPECT_EQ(Default_Port_Device(3), QStringLiteral("/dev/ttyUSB2"));
  Garmin.setSettings(QStringLiteral("9600,Q,8,1"));
  EXPECT_FALSE(Garmin.PortOpen());
}

TEST_F(E2E, ReceiverDisappearsMidTransfer) {
  Sim.Set_Script(6, {{27, Bytes({5, 0})}});
  ASSERT_TRUE(Garmin.PortOpen());
  Garmin.Request_Tracks();
  ASSERT_TRUE(Wait_Until([&] { return Got(27); }));
  Sim.Disappear();
  // No hang and no false success: the awaited records never come and the time-out says so.
  ASSERT_TRUE(Wait_Until([&] { return !Ev.Errors.isEmpty(); }));
  EXPECT_EQ(Ev.Errors[0].Num, 1);
  EXPECT_TRUE(Garmin.RxBuffer().isEmpty());
  // The line error closed the port, so the owner's next PortOpen tries the device afresh.
  EXPECT_FALSE(Port.PortOpen());
}

namespace {
// Runs vqtool while the simulator answers on this thread.
int Run_Tool(cGarmin& pump, const QString& config_dir, const QStringList& args, QByteArray& out,
             QByteArray& err) {
  QProcess tool;
  // The tool reads the "Ports" mapping from the same temporary settings store.
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), config_dir);
  tool.setProcessEnvironment(env);
  tool.start(QStringLiteral(VQ_TOOL_PATH), args);
  if (!tool.waitForStarted(3000)) return -1;
  QElapsedTimer clock;
  clock.start();
  while (tool.state() != QProcess::NotRunning && clock.elapsed() < 15000) pump.WaitFor_Ms(20);
  out = tool.readAllStandardOutput();
  err = tool.readAllStandardError();
  return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}
}  // namespace

TEST_F(E2E, VqtoolInfo) {
  QByteArray out, err;
  EXPECT_EQ(Run_Tool(Garmin, Dir.path(), {"info", "--port", Sim.Slave_Path(), "--timeout", "300"},
                     out, err),
            0)
      << err.constData();
  EXPECT_TRUE(out.contains("Product_ID: 77\n")) << out.constData();
  EXPECT_TRUE(out.contains("Software_Version: 361\n"));
  EXPECT_TRUE(out.contains("Waypoint_Data_Format: D108\n"));
  EXPECT_TRUE(out.contains("Track_Transfer_Protocol: A301\n"));

  // The same through the port number mapping, with a trace.
  QSettings(QStringLiteral("VQ"), QStringLiteral("VQ"))
      .setValue(QStringLiteral("Ports/7"), Sim.Slave_Path());
  EXPECT_EQ(Run_Tool(Garmin, Dir.path(), {"info", "--port", "7", "--timeout", "300", "--trace"},
                     out, err),
            0);
  EXPECT_TRUE(err.contains("GPS 10 FE 02 00 00"));

  Sim.Talk_Nmea(20);
  EXPECT_NE(Run_Tool(Garmin, Dir.path(), {"info", "--port", Sim.Slave_Path(), "--timeout", "200"},
                     out, err),
            0);
  EXPECT_TRUE(err.contains("NMEA")) << err.constData();
  Sim.Talk_Nmea(0);
  Sim.Drain();

  Sim.Silent = true;
  EXPECT_NE(Run_Tool(Garmin, Dir.path(), {"info", "--port", Sim.Slave_Path(), "--timeout", "200"},
                     out, err),
            0);
  EXPECT_EQ(err.count('\n'), 1) << err.constData();
  EXPECT_TRUE(err.startsWith("vqtool: no answer")) << err.constData();
  EXPECT_TRUE(out.isEmpty());
}
