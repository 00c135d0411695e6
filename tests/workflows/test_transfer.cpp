// The transfers end to end: the real driver and the real QSerialPort on a pseudo-terminal
// against our receiver simulator, with a short driver timer.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QtEndian>
#include <cstring>
#include <functional>

#include "files/GpxWrite.h"
#include "files/PointFile.h"
#include "garmin/cGarmin.h"
#include "garmin/cSerialPort.h"
#include "points/cVQPoints.h"
#include "tests/doubles/Packets.h"
#include "tests/sim/cSimReceiver.h"
#include "workflows/cTransfer.h"
#include "workflows/cTransferUI.h"

namespace {
constexpr quint8 kAck = 6, kRecords = 27, kRteHdr = 29, kRteWpt = 30, kRteLink = 98,
                 kXferCmplt = 12, kTrkHdr = 99, kTrkData = 34, kTransferTrk = 6;

class cScriptedUI : public cTransferUI {
 public:
  QStringList notices, questions, panel2;
  QString panel1;
  bool go_on = true, busy = false, progress_over = false, completed = false;
  int ended = 0, progress_total = 0;
  cTransfer::cEnd how = cTransfer::cEnd::Failed;
  std::function<void()> on_notice;  // checks what holds while a message is shown
  void Notice(const QString& t) override {
    notices << t;
    if (on_notice) on_notice();
  }
  bool Ask_Retry(const QString& t) override {
    questions << t;
    return false;
  }
  bool Ask_Go_On(const QString& t) override {
    questions << t;
    return go_on;
  }
  void Show_Panel(int panel, const QString& t) override {
    if (panel == 1)
      panel1 = t;
    else
      panel2 << t;
  }
  void Show_Progress(int done, int total) override {
    if (total > 0) progress_total = total;
    if (done > total || done < 0) progress_over = true;
  }
  void Set_Busy(bool b) override { busy = b; }
};

class cRowCount : public cVQList {
 public:
  QVector<cVQRow> rows;
  void Set_Rows(QVector<cVQRow> r) override { rows = std::move(r); }
  int Row_Count() const override { return rows.size(); }
  QString Row_Text(int r, int c) const override { return rows[r - 1][size_t(c - 1)]; }
};

struct cBench {
  cSimReceiver sim;
  cSerialPort comm;
  QTimer timer;
  cGarmin garmin;
  cVQPoints points;
  cRowCount list;
  cScriptedUI ui;
  cTransfer transfer{garmin, points, ui};

  explicit cBench(const QStringList& protocols) {
    sim.Protocol_Array = cSimReceiver::Array_Of(protocols);
    comm.setDevicePath(sim.Slave_Path());
    timer.setInterval(100);
    garmin.setTmrTimeout(&timer);
    garmin.setComGarmin(&comm);
    transfer.Set_Handshake_Wait_Ms(150);
    points.lv = &list;
    // Every ending tears down before it says anything (a later transfer opens the line with its
    // own settings).
    ui.on_notice = [this] {
      EXPECT_FALSE(comm.PortOpen());
      EXPECT_FALSE(timer.isActive());
      EXPECT_FALSE(transfer.Running());
      EXPECT_FALSE(ui.busy);
    };
    QObject::connect(&transfer, &cTransfer::Ended, [this](cTransfer::cEnd how) {
      ++ui.ended;
      ui.how = how;
      ui.completed = how == cTransfer::cEnd::Completed;
    });
  }
  // A track log of n D301 points (each its own time, every repeat_every-th sent twice as a
  // receiver standing still does), announced as it is.
  int Script_Log(int n, int repeat_every = 0) {
    QList<cSimReceiver::cPacket> script = {{kRecords, {}}};
    for (int i = 0; i < n; ++i) {
      script.append({kTrkData, D301(31 + i * 1e-5, 35.2, 1000 + i, float(i % 500))});
      if (repeat_every && (i + 1) % repeat_every == 0) script.append(script.last());
    }
    script[0].Data = Le16(script.size() - 1);
    script.append({kXferCmplt, Le16(kTransferTrk)});
    sim.Set_Script(kTransferTrk, script);
    return script.size() - 2;
  }
  // Lets the transfer run until it ends (bounded, so that a fault fails instead of hanging).
  void Run_To_End(int limit_ms = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (ui.ended == 0 && clock.elapsed() < limit_ms)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  }
  // Ids of the data packets the receiver took from the Records packet on (L001 or L002).
  QList<quint8> Upload_Ids() const {
    QList<quint8> ids;
    bool on = false;
    for (const QByteArray& p : sim.Taken) {
      const quint8 id = quint8(p[1]);
      if (id == kRecords || id == 35) on = true;
      if (on) ids << id;
    }
    return ids;
  }
  QByteArray First(quint8 id) const {
    for (const QByteArray& p : sim.Received)
      if (quint8(p[1]) == id) return p;
    return {};
  }
};

const QStringList kWithLinks = {"P000", "L001", "A010", "A100", "D108", "A201",
                                "D202", "D108", "D210", "A301", "D310", "D301"};
const QStringList kNoLinks = {"P000", "L001", "A010", "A100", "D100",
                              "A200", "D201", "D100", "A300", "D300"};

// A201 follows every waypoint but the last with a link, A200 sends none; Records announces every
// data packet before transfer complete. An upload moves on only for the ACK of the packet it sent
// last; a second start is refused while one runs; a second upload after the end starts again.
TEST(Transfer, UploadSendsHeaderWaypointsLinksAndAnnouncesTheRecords) {
  const struct {
    bool links;
    int n;
    bool stale_ack;  // the receiver ACKs Records again after the route header
  } rows[] = {{true, 1, false}, {true, 3, true}, {false, 3, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.n);
    cBench b(row.links ? kWithLinks : kNoLinks);
    ASSERT_TRUE(b.sim.Ok());
    for (int i = 1; i <= row.n; ++i)
      b.points.Add(QStringLiteral("P%1").arg(i), 31 + i * .01, 35, 100, "");
    if (row.stale_ack)
      QObject::connect(&b.sim, &cSimReceiver::Packet_Received, [&](const QByteArray& p) {
        if (quint8(p[1]) == kRteHdr) b.sim.Send_Packet(kAck, Le16(kRecords));
      });
    for (int n = row.n; n >= row.n - 1 && n > 0; b.points.Remove(n--)) {
      b.sim.Received.clear();
      b.sim.Taken.clear();
      b.ui.ended = 0;
      b.ui.panel2.clear();
      ASSERT_TRUE(b.transfer.Garmin_Upload_Start(1, "9600,N,8,1", 7, "TRIP"));
      EXPECT_FALSE(b.transfer.Garmin_Download_Start(1, "9600,N,8,1"));
      b.Run_To_End();
      ASSERT_TRUE(b.ui.completed) << n;
      QList<quint8> expected = {kRecords, kRteHdr};
      for (int i = 1; i <= n; ++i) {
        expected << kRteWpt;
        if (row.links && i < n) expected << kRteLink;
      }
      expected << kXferCmplt;
      EXPECT_EQ(b.Upload_Ids(), expected) << n;
      const int records = row.links ? 2 * n : n + 1;
      EXPECT_EQ(b.First(kRecords).mid(3, 2), Le16(records));
      EXPECT_EQ(b.ui.notices.last(), QStringLiteral("הטעינה הסתיימה\r\nנטענו %1 נצ").arg(n));
      EXPECT_EQ(b.ui.panel2.value(0), QStringLiteral("טוען TRIP"));
      EXPECT_EQ(b.ui.panel2.value(1), QStringLiteral("טוען P1"));
      EXPECT_EQ(b.ui.progress_total, records + 1);
      EXPECT_EQ(b.garmin.Route.Number, 7);
    }
  }
  // A receiver switched while the program runs: the second, a GPS 12 without a capability array
  // (L001, A200, D103), gets its own ids and types, not those of the L002 eTrex before it.
  cBench b({"P000", "L002", "A011", "A100", "D108", "A201", "D202", "D108", "D210"});
  b.points.Add("A", 31, 35, 0, "");
  for (const QList<quint8>& ids : {QList<quint8>{35, 37, 39, 12}, {27, 29, 30, 12}}) {
    b.sim.Taken.clear();
    b.ui.ended = 0;
    ASSERT_TRUE(b.transfer.Garmin_Upload_Start(1, "9600,N,8,1", 1, "T"));
    b.Run_To_End();
    EXPECT_TRUE(b.ui.completed);
    EXPECT_EQ(b.Upload_Ids(), ids);
    b.sim.Protocol_Array.clear();
  }
  EXPECT_EQ(Data(b.sim.Taken[2]).size(), 60);  // a D103 waypoint
}

// A line that refuses, spoils or doubles what it carries costs resends, never a point: the
// receiver holds the route whole and in order. NAKs count per packet; an ACK received before its
// packet went out answers nothing. A receiver that gives up after the Records packet is told to
// drop the transfer, and the user how many points it took.
TEST(Transfer, UploadOnANoisyLineGivesTheReceiverTheWholeRoute) {
  const struct {
    const char* name;
    bool links;
    int nak_every, double_ack_every, spoil_ack_every, refuse_after;
    bool silent;  // after the Records packet
  } rows[] = {
      {"a NAK in twenty", true, 20, 0, 0, 0, false},
      {"doubled ACKs and NAKs under A200", false, 11, 7, 0, 0, false},
      {"spoilt ACKs", false, 0, 0, 9, 0, false},
      {"refuses after 30 packets", true, 0, 0, 0, 30, false},
      {"silent after Records", true, 0, 0, 0, 0, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    cBench b(row.links ? kWithLinks : kNoLinks);
    b.sim.Nak_Every = row.nak_every;
    b.sim.Double_Ack_Every = row.double_ack_every;
    b.sim.Spoil_Ack_Every = row.spoil_ack_every;
    b.sim.Refuse_After = row.refuse_after;
    if (row.silent)
      QObject::connect(&b.sim, &cSimReceiver::Packet_Received, [&](const QByteArray& p) {
        if (quint8(p[1]) == kRecords) b.sim.Silent = true;
      });
    for (int i = 1; i <= 100; ++i)
      b.points.Add(QStringLiteral("P%1").arg(i), 31 + i * .001, 35, 0, "");
    ASSERT_TRUE(b.transfer.Garmin_Upload_Start(1, "9600,N,8,1", 1, "T"));
    b.Run_To_End(30000);
    QList<double> lats;
    for (const QByteArray& p : b.sim.Taken)
      if (quint8(p[1]) == kRteWpt)
        lats << qFromLittleEndian<qint32>(p.constData() + (row.links ? 27 : 9)) * 180.0 /
                    2147483648.0;
    for (int i = 0; i < lats.size(); ++i) ASSERT_NEAR(lats[i], 31 + (i + 1) * .001, 1e-6) << i;
    if (!row.refuse_after && !row.silent) {
      EXPECT_TRUE(b.ui.completed);
      EXPECT_EQ(lats.size(), 100);
      continue;
    }
    EXPECT_FALSE(b.ui.completed);
    ASSERT_EQ(b.ui.notices.size(), 1);
    EXPECT_TRUE(
        b.ui.notices[0].contains(QStringLiteral("המכשיר קיבל %1 מתוך 100").arg(lats.size())))
        << b.ui.notices[0].toStdString();
    const QByteArray abort("\x0A\x02\x00", 3);
    QElapsedTimer clock;
    clock.start();
    while (b.sim.Received.last().mid(1, 3) != abort && clock.elapsed() < 2000)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    EXPECT_EQ(b.sim.Received.last().mid(1, 3), abort);
  }
}

// Six-character names (D100): Hebrew labels that merge are asked about and go as their code page
// bytes; Latin names go unique without a question; names shown for another format than the
// receiver's stop the upload before anything is sent.
TEST(Transfer, UploadSendsTheChosenNames) {
  for (const bool latin : {false, true}) {
    cBench b(kNoLinks);
    b.points.Add("מעיין עליון", 31, 35, 0, "");
    b.points.Add("מעיין תחתון", 31.1, 35, 0, "");
    cNameRules rules;
    rules.Latin = latin;
    b.transfer.Set_Name_Rules(rules, "D108");
    ASSERT_TRUE(b.transfer.Garmin_Upload_Start(1, "9600,N,8,1", 1, "T"));
    b.Run_To_End();
    EXPECT_TRUE(b.transfer.Names_Changed());
    EXPECT_TRUE(b.Upload_Ids().isEmpty());
    b.transfer.Set_Name_Rules(rules, b.transfer.Heard_Format());
    for (const bool go_on : {false, true}) {
      b.ui.ended = 0;
      b.ui.go_on = go_on;
      b.sim.Taken.clear();
      ASSERT_TRUE(b.transfer.Garmin_Upload_Start(1, "9600,N,8,1", 1, "T"));
      b.Run_To_End();
      EXPECT_EQ(b.ui.completed, latin || go_on);
    }
    EXPECT_EQ(b.ui.questions.size(), latin ? 0 : 2);
    QList<QByteArray> idents;
    for (const QByteArray& p : b.sim.Taken)
      if (quint8(p[1]) == kRteWpt) idents << p.mid(3, 6);
    const QList<QByteArray> sent = latin ? QList<QByteArray>{"MAYN A", "MAYN T"}
                                         : QList<QByteArray>(2, "\xEE\xF2\xE9\xE9\xEF ");
    EXPECT_EQ(idents, sent);
  }
}

TEST(Transfer, NoAnswerAsksToRetryAndCancelKeepsTheList) {
  cBench b(kWithLinks);
  b.sim.Silent = true;
  b.points.Add("KEEP", 31, 35, 0, "");
  EXPECT_TRUE(b.transfer.Garmin_Download_Start(3, "9600,N,8,1"));
  b.Run_To_End();
  ASSERT_EQ(b.ui.questions.size(), 1);
  EXPECT_EQ(b.ui.questions[0], QStringLiteral("התקשורת למכשיר בערוץ טורי 3 נכשלה."));
  EXPECT_EQ(b.points.Count(), 1);
  EXPECT_FALSE(b.comm.PortOpen());
  // Four product requests before the question.
  int requests = 0;
  for (const QByteArray& p : b.sim.Received) requests += quint8(p[1]) == 254;
  EXPECT_EQ(requests, 4);
  // A port that cannot be opened is said at once, naming the device and the system's reason.
  b.comm.setDevicePath("/dev/vq-none");
  EXPECT_FALSE(b.transfer.Garmin_Download_Start(3, "9600,N,8,1"));
  ASSERT_EQ(b.ui.notices.size(), 1);
  EXPECT_TRUE(b.ui.notices[0].startsWith(QStringLiteral("פתיחת /dev/vq-none נכשלה:\r\n")));
  EXPECT_FALSE(b.ui.busy);
}

TEST(Transfer, NmeaReceiverIsTurnedAway) {
  cBench b(kWithLinks);
  b.sim.Talk_Nmea(20);
  b.points.Add("A", 31, 35, 0, "");
  EXPECT_TRUE(b.transfer.Garmin_Upload_Start(1, "9600,N,8,1", 1, "T"));
  b.Run_To_End();
  EXPECT_EQ(b.transfer.Heard(), cTransfer::cHeard::Sentences);
  ASSERT_EQ(b.ui.notices.size(), 1);
  EXPECT_TRUE(
      b.ui.notices[0].startsWith(QStringLiteral("מכשיר ה-GPS משתמש בפרוטוקול NMEA או TEXT.")));
  EXPECT_TRUE(b.ui.questions.isEmpty());
}

TEST(Transfer, DownloadCountsHeadersAndNumbersThePoints) {
  // Track times are the receiver's UTC; the comments give Israel's time, summer time included.
  qputenv("TZ", "Asia/Jerusalem");
  cBench b(kWithLinks);
  b.points.Add("OLD", 30, 35, 0, "");
  QList<cSimReceiver::cPacket> script = {{kRecords, Le16(4)},
                                         {kTrkHdr, QByteArray("\x01\xFF\x00TRK\0", 7)}};
  for (qint32 time : {1079337909, 1089878709, 1089878710})  // 2024-03-14, 07-14 08:05:09 UTC
    script.append({kTrkData, D301(31.7683 + (time % 7) * .001, 35.2137, time, 700)});
  script.append({kXferCmplt, Le16(kTransferTrk)});
  b.sim.Set_Script(kTransferTrk, script);
  // A sentence between the points is line noise to the download (found by fuzzing: the next
  // packet was taken for a receiver back from NMEA, and the download stopped).
  bool sentence_sent = false;
  QObject::connect(&b.sim, &cSimReceiver::Packet_Received, [&](const QByteArray& p) {
    if (sentence_sent || quint8(p[1]) != kAck || quint8(p[3]) != kTrkData) return;
    sentence_sent = true;
    b.sim.Send_Raw("$GPGGA,083000,3146.200,N,03513.200,E,1,05,1.0,780,M,,,,*5A\r\n");
  });
  ASSERT_TRUE(b.transfer.Garmin_Download_Start(1, "9600,N,8,1"));
  b.Run_To_End();
  EXPECT_TRUE(sentence_sent);
  EXPECT_TRUE(b.ui.completed);
  EXPECT_TRUE(b.ui.notices.isEmpty()) << b.ui.notices.value(0).toStdString();
  ASSERT_EQ(b.points.Count(), 3);
  EXPECT_EQ(b.list.Row_Count(), 3);
  EXPECT_EQ(b.points.Item(3).Label, "3");
  EXPECT_NEAR(b.points.Item(1).lat, 31.7683 + (1079337909 % 7) * .001, 1e-6);
  EXPECT_EQ(b.points.Item(1).Comment, "2024/03/14-10:05:09");
  EXPECT_EQ(b.points.Item(2).Comment, "2024/07/14-11:05:09");
  EXPECT_EQ(b.points.Item(2).Time, QDateTime(QDate(2024, 7, 14), QTime(8, 5, 9), Qt::UTC));
  EXPECT_EQ(b.ui.panel2.last(), "3");
  EXPECT_EQ(b.transfer.Track_Headers(), 1);
  EXPECT_EQ(b.ui.panel1, QStringLiteral("eTrex Sim Software Version 3.61 "));
  // The transfer is over: the port is closed and no time-out is left to come.
  EXPECT_FALSE(b.comm.PortOpen());
  EXPECT_FALSE(b.timer.isActive());
  // The log keeps the receiver's name and goes to GPX and back the same.
  EXPECT_EQ(b.points.Title, "eTrex Sim Software Version 3.61");
  cVQPoints back;
  ASSERT_EQ(Load_Point_Bytes(GPX_Bytes(b.points), cPointFileKind::Gpx, back).status,
            cLoadResult::Loaded);
  ASSERT_EQ(back.Count(), 3);
  EXPECT_TRUE(back.From_Track);
  for (int i = 1; i <= 3; ++i) {
    const cVQPoint &p = b.points.Item(i), &q = back.Item(i);
    EXPECT_TRUE(p.Label == q.Label && p.Time == q.Time && p.Comment == q.Comment && p.alt == q.alt);
    EXPECT_NEAR(p.lat, q.lat, 1e-9);
  }
}

// Fewer or more points than announced, an empty log, a log cut short, nothing after the ACK of
// the request: every point that came is counted in one way (points, the headers taken off the
// announcement), none is made up, the progress bar stays within its total (found by fuzzing),
// and a download that ends in silence ends in the time-out with its message instead of waiting
// for ever. A log cut short leaves the list as it was unless the user keeps what arrived.
TEST(Transfer, DownloadMismatchEmptyLogAndSilence) {
  const struct {
    const char* name;
    int announced, headers, sent;  // announced < 0: the request is ACKed and nothing follows
    bool complete;                 // transfer complete closes the log
    bool keep;                     // the answer to keeping a log cut short
    int count;
    const char* notice;
  } rows[] = {
      {"fewer than announced", 10, 0, 9, true, true, 9,
       "אי התאמה בין מס' הנקודות שהתקבלו לדיווח מן המכשיר\r\nהמכשיר מדווח על 10 נקודות "
       "שנשלחו.\r\nהתקבלו בפועל 9 נקודות."},
      {"a header, fewer than announced", 10, 1, 8, true, true, 8,
       "מדווח על 9 נקודות שנשלחו.\r\nהתקבלו בפועל 8 נקודות."},
      {"more than announced", 2, 0, 3, true, true, 3,
       "מדווח על 2 נקודות שנשלחו.\r\nהתקבלו בפועל 3 נקודות."},
      {"empty log", 0, 0, 0, true, true, 0, nullptr},
      {"two of five, then silence, kept", 5, 0, 2, false, true, 2, "התקבלו 2 נקודות מתוך 5 שדווחו"},
      {"two of five, then silence", 5, 0, 2, false, false, 1, "התקבלו 2 נקודות מתוך 5 שדווחו"},
      {"nothing after the ACK", -1, 0, 0, false, true, 1, "הרשימה לא שונתה."},
  };
  for (const auto& c : rows) {
    SCOPED_TRACE(c.name);
    cBench b(kNoLinks);
    b.ui.go_on = c.keep;
    b.points.Add("OLD", 30, 35, 0, "");
    QList<cSimReceiver::cPacket> script;
    if (c.announced >= 0) script.append({kRecords, Le16(c.announced)});
    if (c.headers) script.append({kTrkHdr, QByteArray("\x01\xFF\x00T\0", 5)});
    for (int i = 0; i < c.sent; ++i)
      script.append({kTrkData, D301(31, 35 + i * .01, 0, 0).left(12)});
    if (c.complete) script.append({kXferCmplt, Le16(kTransferTrk)});
    b.sim.Set_Script(kTransferTrk, script);
    ASSERT_TRUE(b.transfer.Garmin_Download_Start(1, "9600,N,8,1"));
    b.Run_To_End();
    EXPECT_EQ(b.ui.ended, 1);
    EXPECT_FALSE(b.ui.completed && !c.complete);
    EXPECT_FALSE(b.ui.progress_over);
    ASSERT_EQ(b.points.Count(), c.count);
    if (b.ui.how != cTransfer::cEnd::Failed) {
      EXPECT_EQ(b.list.Row_Count(), c.count);
      EXPECT_EQ(b.ui.progress_total, c.announced);
      EXPECT_EQ(b.points.Title.endsWith(QStringLiteral("(חלקי)")), !c.complete);
    } else {
      EXPECT_EQ(b.points.Item(1).Label, "OLD");
    }
    const QStringList told = b.ui.notices + b.ui.questions;
    if (!c.notice) {
      EXPECT_TRUE(told.isEmpty()) << told.value(0).toStdString();
      continue;
    }
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(QString::fromUtf8(c.notice))) << told[0].toStdString();
  }
  // The receiver is unplugged in the middle: said at once, not after the time-out (20 s here).
  cBench b(kNoLinks);
  b.timer.setInterval(5000);
  b.sim.Set_Script(kTransferTrk, {{kRecords, Le16(5)}, {kTrkData, D301(31, 35, 1, 0)}});
  QObject::connect(&b.sim, &cSimReceiver::Packet_Received, [&](const QByteArray& p) {
    if (quint8(p[1]) == kAck && quint8(p[3]) == kTrkData)
      QTimer::singleShot(0, &b.sim, [&] { b.sim.Disappear(); });
  });
  ASSERT_TRUE(b.transfer.Garmin_Download_Start(1, "9600,N,8,1"));
  b.Run_To_End(5000);
  EXPECT_EQ(b.ui.ended, 1);
  EXPECT_FALSE(b.ui.completed);
  EXPECT_FALSE(b.comm.PortOpen());
  EXPECT_TRUE(b.ui.questions.value(0).contains(QStringLiteral("נותק")))
      << b.ui.questions.value(0).toStdString();
}
// A line that corrupts frames, loses our ACKs or puts noise before frames costs no point and adds
// none, a receiver standing still keeps its repeated points (also when resends come between); one
// that turns to NMEA ends the download with that message; a log of more than 32767 records comes
// back whole.
TEST(Transfer, NoisyLinesGiveExactlyTheLog) {
  struct cCase {
    const char* name;
    int corrupt_every, lose_ack_every, noise_every, repeat_every, nmea_after, points;
  };
  for (const cCase& c :
       {cCase{"corrupt", 5, 0, 0, 0, 0, 200}, cCase{"lost ACK", 0, 9, 0, 0, 0, 200},
        cCase{"noise", 0, 0, 4, 0, 0, 200}, cCase{"repeats and lost ACKs", 0, 7, 0, 5, 0, 200},
        cCase{"NMEA", 0, 0, 0, 0, 60, 200}, cCase{"40000", 0, 0, 0, 0, 0, 40000}}) {
    SCOPED_TRACE(c.name);
    cBench b(kNoLinks);
    const int total = b.Script_Log(c.points, c.repeat_every);
    b.sim.Corrupt_Every = c.corrupt_every;
    b.sim.Lose_Ack_Every = c.lose_ack_every;
    b.sim.Noise_Every = c.noise_every;
    b.sim.Nmea_After = c.nmea_after;
    // A busy machine must not look like a silent receiver: the time-out is 0.8 s here.
    b.timer.setInterval(200);
    ASSERT_TRUE(b.transfer.Garmin_Download_Start(1, "9600,N,8,1"));
    b.Run_To_End(60000);
    ASSERT_EQ(b.ui.ended, 1);
    if (c.nmea_after) {
      EXPECT_FALSE(b.ui.completed);
      ASSERT_EQ(b.ui.questions.size(), 1);
      EXPECT_TRUE(b.ui.questions[0].contains("NMEA")) << b.ui.questions[0].toStdString();
      continue;
    }
    EXPECT_TRUE(b.ui.completed);
    EXPECT_TRUE(b.ui.notices.isEmpty()) << b.ui.notices.value(0).toStdString();
    ASSERT_EQ(b.points.Count(), total);
    EXPECT_EQ(b.points.Item(total).Label, QString::number(total));
    EXPECT_NEAR(b.points.Item(total).lat, 31 + (c.points - 1) * 1e-5, 1e-7);
    EXPECT_EQ(b.ui.progress_total, total);
  }
}

}  // namespace
