// vqtool's transfers against the simulator: the tool runs as its own process while the
// simulator answers from this one.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>

#include "tests/doubles/Packets.h"
#include "tests/gen/TwlGen.h"
#include "tests/sim/cSimReceiver.h"

namespace {
struct cResult {
  int status = -1;
  QByteArray out, err;
};

// Runs vqtool while the simulator keeps answering (a --port in args wins); a tool that hangs
// fails the test.
cResult Run_With(cSimReceiver& sim, QStringList args) {
  args = QStringList{"--port", sim.Slave_Path(), "--timeout", "100"} + args;
  QProcess p;
  QElapsedTimer clock;
  clock.start();
  p.start(QStringLiteral(VQ_TOOL_PATH), args);
  while (p.state() != QProcess::NotRunning && clock.elapsed() < 20000)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  cResult r;
  if (p.state() != QProcess::NotRunning) {
    p.kill();
    p.waitForFinished();
    return r;
  }
  r.status = p.exitCode();
  r.out = p.readAllStandardOutput();
  r.err = p.readAllStandardError();
  return r;
}

// The log goes to the file whole; an upload stops on merged names without --yes.
TEST(vqtoolTransfer, DownloadTrackAndUploadRoute) {
  cSimReceiver sim;
  sim.Protocol_Array = cSimReceiver::Array_Of(
      {"P000", "L001", "A010", "A100", "D100", "A201", "D201", "D100", "D210", "A300", "D300"});
  sim.Set_Script(
      6, {{27, Le16(2)}, {34, QByteArray(13, '\0')}, {34, QByteArray(13, '\1')}, {12, Le16(6)}});
  QTemporaryDir dir;
  const cResult log = Run_With(sim, {"download-track", dir.filePath("log.csv")});
  EXPECT_EQ(log.status, 0) << log.err.constData();
  QFile f(dir.filePath("log.csv"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll().count('\n'), 3);  // header and two points

  const QString sample = QStringLiteral(VQ_SOURCE_DIR "/samples/sample.twl");
  const cResult ok = Run_With(sim, {"upload-route", "--number", "3", sample});
  EXPECT_EQ(ok.status, 0) << ok.err.constData();
  EXPECT_TRUE(ok.err.contains("vqtool: route uploaded: 12 point(s)\n")) << ok.err.constData();
  // Two labels that become one six-character name: without --yes nothing is announced.
  const QString twl = dir.filePath("springs.twl");
  ASSERT_TRUE(TwlGen::Write_File(twl, TwlGen::Make_TWL({{"SPRING1", 170000, 1100000, 0, ""},
                                                        {"SPRING2", 171000, 1101000, 0, ""}})));
  sim.Received.clear();
  const cResult stop = Run_With(sim, {"upload-route", "--number", "1", twl});
  EXPECT_EQ(stop.status, 1);
  EXPECT_TRUE(stop.err.contains("--yes"));
  for (const QByteArray& p : sim.Received) EXPECT_NE(quint8(p[1]), 27);  // no Records
  const cResult yes = Run_With(sim, {"upload-route", "--number", "1", "--yes", twl});
  EXPECT_EQ(yes.status, 0) << yes.err.constData();
  // Latin names: the upload sends what `names` prints for the receiver's format; a names file
  // with a line it cannot use stops both, naming the line.
  QFile own(dir.filePath("own.csv"));
  ASSERT_TRUE(own.open(QIODevice::WriteOnly));
  own.write("SPRING2,Top\n");
  own.close();
  QProcess names;
  names.start(QStringLiteral(VQ_TOOL_PATH), {"names", "--format", "D100", "--latin-names",
                                             "--names", own.fileName(), twl});
  ASSERT_TRUE(names.waitForFinished(20000));
  EXPECT_EQ(names.readAllStandardOutput(), "SPRING1\tSPRING\nSPRING2\tTOP\nroute\tSPRINGS\n");
  sim.Received.clear();
  const QStringList latin = {"upload-route", "--number", "1", "--latin-names", "--names",
                             own.fileName(), twl};
  EXPECT_EQ(Run_With(sim, latin).status, 0);
  QList<QByteArray> sent;
  for (const QByteArray& p : sim.Received)
    if (quint8(p[1]) == 30) sent << p.mid(3, 6);
  EXPECT_EQ(sent, QList<QByteArray>({"SPRING", "TOP   "}));
  ASSERT_TRUE(own.open(QIODevice::Append));
  own.write("X,Tel-Aviv!\n");
  own.close();
  const cResult refused = Run_With(sim, latin);
  EXPECT_EQ(refused.status, 1);
  EXPECT_TRUE(refused.err.contains("own.csv:2:")) << refused.err.constData();
  // With --true-datum the first waypoint is the file's 171714 1131593 on its own datum in
  // semicircles (cs2cs EPSG:28193 EPSG:4326: 31.7770353905 35.2282848287).
  sim.Received.clear();
  EXPECT_EQ(Run_With(sim, {"upload-route", "--number", "2", "--true-datum", sample}).status, 0);
  const auto wpt = std::find_if(sim.Received.begin(), sim.Received.end(),
                                [](const QByteArray& p) { return quint8(p[1]) == 30; });
  ASSERT_NE(wpt, sim.Received.end());
  EXPECT_NEAR(qFromLittleEndian<qint32>(wpt->constData() + 9), 379114799, 2);
  EXPECT_NEAR(qFromLittleEndian<qint32>(wpt->constData() + 13), 420289809, 2);
  const cResult bad = Run_With(sim, {"upload-route", "--number", "21", sample});
  EXPECT_EQ(bad.status, 2);
}

TEST(vqtoolTransfer, InfoPrintsWhoTheReceiverIs) {
  cSimReceiver sim;
  sim.Protocol_Array = cSimReceiver::Array_Of({"P000", "L001", "A010", "A100", "D108", "A201",
                                               "D202", "D108", "D210", "A301", "D310", "D301"});
  const cResult r = Run_With(sim, {"info", "--trace"});
  EXPECT_EQ(r.status, 0) << r.err.constData();
  for (const char* line : {"Product_ID: 77\n", "Software_Version: 361\n",
                           "Waypoint_Data_Format: D108\n", "Track_Transfer_Protocol: A301\n"})
    EXPECT_TRUE(r.out.contains(line)) << line;
  EXPECT_TRUE(r.err.contains("GPS 10 FE 02 00 00"));
  sim.Talk_Nmea(20);
  const cResult nmea = Run_With(sim, {"info"});
  EXPECT_EQ(nmea.status, 1);
  EXPECT_TRUE(nmea.err.contains("NMEA")) << nmea.err.constData();
}

TEST(vqtoolTransfer, SilentReceiverEndsTheCommandInBoundedTime) {
  cSimReceiver sim;
  sim.Silent = true;
  QTemporaryDir dir;
  const cResult r = Run_With(sim, {"download-track", dir.filePath("x.txt")});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.err.contains("vqtool: no answer from a receiver on /dev/")) << r.err.constData();
  EXPECT_FALSE(QFile::exists(dir.filePath("x.txt")));
  const cResult info = Run_With(sim, {"info"});
  EXPECT_EQ(info.status, 1);
  EXPECT_TRUE(info.err.startsWith("vqtool: no answer")) << info.err.constData();
  EXPECT_EQ(info.err.count('\n'), 1);
}
}  // namespace
