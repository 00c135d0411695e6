// The link with the in-memory serial control and a 50 ms timer: ACK/NAK, retries, time-outs,
// error numbers and messages, sentences, requests.
#include <gtest/gtest.h>

#include <functional>

#include "Helpers.h"

TEST(Link, ValidFrameIsAckedBeforeDispatchAndReported) {
  cLinkRig rig;
  qint16 count_seen = -1;
  int acks_before_receive = -1;
  QObject::connect(&rig.Garmin, &cGarmin::Receive, [&](quint8, quint8) {
    if (count_seen >= 0) return;
    count_seen = rig.Garmin.Incoming_Records_Count();
    acks_before_receive = rig.Comm.Written.size();
  });
  rig.Comm.Feed(Wire_Of(27, Bytes({12, 0})));
  ASSERT_EQ(rig.Comm.Written.size(), 1);
  EXPECT_EQ(rig.Comm.Written[0], Wire_Of(6, Bytes({27, 0})));
  EXPECT_EQ(count_seen, 12);
  EXPECT_EQ(acks_before_receive, 1);  // the ACK is on the wire before the owner hears of it
  EXPECT_TRUE(rig.Timer.isActive());  // more records follow
  // Hex trace of the frame taken ("I", unstuffed) and of the ACK sent ("O").
  ASSERT_EQ(rig.Ev.Hex.size(), 2);
  EXPECT_TRUE(rig.Ev.Hex[0].startsWith(QStringLiteral("PC \u00AB- GPS 10 1B 02 0C 00")));
  EXPECT_TRUE(rig.Ev.Hex[1].startsWith(QStringLiteral("PC -\u00BB GPS 10 06 02 1B 00")));

  // Transfer complete stops the timer; position and almanac are acknowledged, not decoded.
  for (quint8 id : {quint8(12), quint8(17), quint8(31)}) {
    rig.Comm.Feed(Wire_Of(id, Bytes({1, 0})));
    EXPECT_FALSE(rig.Timer.isActive()) << int(id);
    EXPECT_EQ(rig.Comm.Written.last(), Wire_Of(6, Bytes({id, 0})));
  }
  EXPECT_EQ(rig.Ev.Receive.size(), 4);
  EXPECT_EQ(rig.Garmin.Position.lat, 0);
}

TEST(Link, PvtAndDisplayAreNotAcked) {
  cLinkRig rig;
  QByteArray pvt(64, '\0');
  const double half_pi = 2.0 * std::atan(1.0);
  memcpy(pvt.data() + 26, &half_pi, 8);
  pvt[16] = 3;
  rig.Comm.Feed(Wire_Of(51, pvt));
  rig.Comm.Feed(Wire_Of(69, Bytes({1, 2, 3})));
  EXPECT_TRUE(rig.Comm.Written.isEmpty());
  EXPECT_EQ(rig.Ev.Receive.size(), 2);
  EXPECT_DOUBLE_EQ(rig.Garmin.PvtData.lat, 90.0);
  EXPECT_EQ(rig.Garmin.PvtData.pfix, 3);
}

// Refusals and line noise: five retransmissions or NAKs, the sixth is reported; a spoilt ACK
// costs a resend; nothing that failed its check reaches the owner.
TEST(Link, NaksAndInvalidFrames) {
  const QByteArray request = Hex("100A020700ED1003");
  QByteArray bad = Packet_Of(35, Bytes({1, 2, 3}));
  bad[bad.size() - 3] = char(bad[bad.size() - 3] + 1);
  QByteArray bad_ack = Packet_Of(6, Bytes({10, 0}));
  bad_ack[5] = char(bad_ack[5] + 1);
  const struct {
    const char* legend;
    QByteArray fed;      // six times
    QByteArray written;  // each write after the request
    int writes, error;
    QByteArray reported;  // the packet the error carries (unstuffed)
  } rows[] = {
      {"NAKs of the request", Wire_Of(21, Bytes({10, 0})), request, 5, 2,
       Packet_Of(10, Bytes({7, 0}))},
      {"frames with a bad checksum", Framing::Stuff(bad), Wire_Of(21, Bytes({35, 0})), 5, 3, bad},
      {"frames too short", Hex("10061003"), {}, 0, 3, Hex("10061003")},
      {"spoilt ACKs", Framing::Stuff(bad_ack), request, 5, 3, bad_ack},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.legend);
    cLinkRig rig;
    rig.Garmin.Request_Waypoints();
    ASSERT_EQ(rig.Comm.Written.value(0), request);
    rig.Comm.Written.clear();
    for (int i = 0; i < 6; ++i) rig.Comm.Feed(row.fed);
    ASSERT_EQ(rig.Comm.Written.size(), row.writes);
    for (const QByteArray& w : rig.Comm.Written) EXPECT_EQ(w, row.written);
    ASSERT_EQ(rig.Ev.Errors.size(), 1);
    EXPECT_EQ(rig.Ev.Errors[0].Num, row.error);
    EXPECT_EQ(rig.Ev.Errors[0].Msg,
              row.error == 2 ? QStringLiteral("Unable to communicate with device on port 3")
                             : QStringLiteral("Invalid message received from device on port 3"));
    EXPECT_EQ(rig.Ev.Errors[0].Packet, row.reported);
    EXPECT_EQ(rig.Garmin.Retry_Count(), 0);
    EXPECT_EQ(rig.Ev.Receive.size(), row.error == 2 ? 6 : 0);  // NAKs are reported, noise is not
  }
  // A valid frame between NAKs resets the count: one NAK, a frame, five NAKs, no report.
  cLinkRig rig;
  rig.Garmin.Request_Waypoints();
  rig.Comm.Feed(Wire_Of(21, Bytes({10, 0})));
  rig.Comm.Feed(Wire_Of(35, Bytes({1})));
  rig.Garmin.Request_Waypoints();
  for (int i = 0; i < 5; ++i) rig.Comm.Feed(Wire_Of(21, Bytes({10, 0})));
  EXPECT_TRUE(rig.Ev.Errors.isEmpty());
  EXPECT_EQ(rig.Garmin.Retry_Count(), 5);
}

// Every wait ends in the time-out (error 1 after four ticks) when what it waits for does not
// come, whatever else arrives (several were transfers that waited for ever, found by fuzzing).
TEST(Link, EveryWaitEndsInTheTimeOut) {
  const QByteArray ack_rqst = Wire_Of(6, Bytes({10, 0})), sentence = "$GPGGA,1*4B\r\n";
  const auto tracks = [](cGarmin& g) { g.Request_Tracks(); };
  const auto records = [](cGarmin& g) { g.Start_of_Records(3); };
  const struct {
    const char* legend;
    std::function<void(cGarmin&)> request;
    QList<QByteArray> fed;
    bool nmea;  // sentences keep arriving while it waits, or it waited for sentences
  } rows[] = {
      {"a request without answer, a frame start that never ends",
       [](cGarmin& g) { g.Request_Product_Data(); },
       {Bytes({0x10, 0xFF})},
       false},
      {"the ACK of the track request, then silence", tracks, {ack_rqst}, false},
      {"transfer complete instead of the ACK of Records",
       records,
       {Wire_Of(12, Bytes({7, 0}))},
       false},
      {"an ACK naming another packet", records, {Wire_Of(6, Bytes({6, 0}))}, false},
      {"a track header, then a stray ACK",
       tracks,
       {ack_rqst, Wire_Of(99, Bytes({1, 0xFF, 0, 'T', 0})), Wire_Of(6, Bytes({99, 0}))},
       false},
      {"other packets before the ACK of the track request",
       tracks,
       {Wire_Of(253, Bytes({'P', 0, 0})), Wire_Of(14, Bytes({12, 7, 0xEA, 7, 10, 0, 0, 0}))},
       false},
      {"a receiver turned to NMEA in the middle of a log", tracks, {ack_rqst}, true},
      {"a sentence stream that stops", [](cGarmin&) {}, {sentence}, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.legend);
    cLinkRig rig;
    row.request(rig.Garmin);
    for (const QByteArray& bytes : row.fed) rig.Comm.Feed(bytes);
    const bool chatter = row.nmea && !row.fed.contains(sentence);
    EXPECT_TRUE(rig.Timer.isActive());
    for (int i = 0; i < 100 && rig.Ev.Errors.isEmpty(); ++i) {
      if (chatter) rig.Comm.Feed(sentence);
      rig.Garmin.WaitFor_Ms(20);
    }
    ASSERT_EQ(rig.Ev.Errors.size(), 1);
    EXPECT_EQ(rig.Ev.Errors[0].Num, 1);
    EXPECT_EQ(rig.Ev.Errors[0].Msg, row.nmea ? "No longer receiving NMEA/TEXT data on port 3"
                                             : "No response from device on port 3");
    EXPECT_EQ(rig.Ev.Errors[0].Packet, rig.Garmin.Last_Sent());
    EXPECT_TRUE(rig.Garmin.RxBuffer().isEmpty());
    EXPECT_FALSE(rig.Timer.isActive());
  }
  // What a wait waits for does end it: the ACK of Records, the time asked for.
  cLinkRig rig;
  rig.Garmin.Start_of_Records(2);
  rig.Comm.Feed(Wire_Of(6, Bytes({27, 0})));
  EXPECT_FALSE(rig.Timer.isActive());
  rig.Garmin.Request_Date_Time();
  rig.Comm.Feed(Wire_Of(6, Bytes({10, 0})));
  EXPECT_TRUE(rig.Timer.isActive());
  rig.Comm.Feed(Wire_Of(14, Bytes({12, 7, 0xEA, 7, 10, 0, 0, 0})));
  EXPECT_FALSE(rig.Timer.isActive());
}

TEST(Link, SilentCommandsLeaveTheTimerStopped) {
  cLinkRig rig;
  rig.Garmin.Power_Off();
  EXPECT_EQ(rig.Comm.Written.value(0), Bytes({0x10, 0x0A, 0x02, 0x08, 0x00, 0xEC, 0x10, 0x03}));
  EXPECT_FALSE(rig.Timer.isActive());
  rig.Garmin.Pvt_Data_Stop();
  EXPECT_FALSE(rig.Timer.isActive());
  rig.Comm.Feed("junk");
  rig.Garmin.Reset();
  EXPECT_EQ(rig.Comm.InBufferCount(), 0);
  EXPECT_EQ(rig.Comm.Written.last(), Wire_Of(10, Bytes({0, 0})));
  EXPECT_FALSE(rig.Timer.isActive());
  rig.Garmin.Start_of_Records(300);
  EXPECT_EQ(rig.Comm.Written.last(), Wire_Of(27, Bytes({0x2C, 0x01})));
  EXPECT_TRUE(rig.Timer.isActive());
}

TEST(Link, PortOpenSettings) {
  cMemComm comm;
  cGarmin g;
  g.setComGarmin(&comm);
  EXPECT_FALSE(g.PortOpen());  // empty settings do not parse
  for (const char* bad : {"9600,X,8,1", "9600,N,9,1", "9600,N,8,3", "fast,N,8,1", "9600,N,8"}) {
    g.setSettings(QString::fromLatin1(bad));
    EXPECT_FALSE(g.PortOpen()) << bad;
  }
  for (const char* good : {"4800,e,7,2", "19200,M,8,1.5", "9600,S,5,1", "9600,N,8,1"}) {
    g.PortClose();
    g.setSettings(QString::fromLatin1(good));
    EXPECT_TRUE(g.PortOpen()) << good;
  }
  g.PortClose();
  g.setPort(4);
  ASSERT_TRUE(g.PortOpen());
  EXPECT_EQ(comm.CommPort(), 4);
  EXPECT_EQ(comm.RThreshold, 1);
  EXPECT_EQ(comm.InBufferSize, 2048);
  // Already open: nothing touched.
  const int calls = comm.Open_Calls;
  g.setPort(5);
  EXPECT_TRUE(g.PortOpen());
  EXPECT_EQ(comm.Open_Calls, calls);
  EXPECT_EQ(comm.CommPort(), 4);
}

TEST(Link, SerialErrorDropsThePartialFrame) {
  cLinkRig rig;
  const QByteArray wire = Wire_Of(35, Bytes({1, 2}));
  rig.Comm.Feed(wire.left(4));
  rig.Comm.Raise_Event(CommEvents::comEventDeviceLost);
  EXPECT_TRUE(rig.Garmin.RxBuffer().isEmpty());
  rig.Comm.Feed(wire.mid(4));
  EXPECT_TRUE(rig.Ev.Receive.isEmpty());
  rig.Comm.Feed(wire);
  EXPECT_EQ(rig.Ev.Receive.size(), 1);
}

TEST(Link, NmeaSentencesAndChecksumCounting) {
  cLinkRig rig;
  rig.Comm.Feed("$GPGGA,1*4B\r\n");
  ASSERT_EQ(rig.Ev.Nmea.size(), 1);
  EXPECT_EQ(rig.Ev.Nmea[0].first, QStringLiteral("$GPGGA,1*4B"));
  EXPECT_TRUE(rig.Ev.Nmea[0].second);
  EXPECT_EQ(rig.Garmin.RxBuffer(), QByteArray("\n"));
  EXPECT_TRUE(rig.Garmin.NMEA_Mode());
  EXPECT_TRUE(rig.Timer.isActive());

  // Lower-case hex never matches; 50 mismatches are counted, the 51st is reported.
  for (int i = 0; i < 51; ++i) rig.Comm.Feed("$GPGGA,1*4b\r\n");
  ASSERT_EQ(rig.Ev.Errors.size(), 1);
  EXPECT_EQ(rig.Ev.Errors[0].Num, 0);
  EXPECT_EQ(rig.Ev.Errors[0].Msg,
            QStringLiteral("There have been more than 50 check sum errors on port 3\r\n"
                           "Verify that your receiver is putting out check sums"));
  EXPECT_TRUE(rig.Ev.Errors[0].Packet.isEmpty());
  rig.Comm.Feed("$GPGGA,1*00\r\n");
  EXPECT_EQ(rig.Garmin.Checksum_Errors(), 1);

  // TEXT sentences and IgnoreCheckSum: never counted, checksumok false.
  rig.Comm.Feed("@TEXT*00\r\n");
  EXPECT_FALSE(rig.Ev.Nmea.last().second);
  rig.Garmin.setIgnoreCheckSum(true);
  rig.Comm.Feed("$GPGGA,1*4B\r\n");
  EXPECT_FALSE(rig.Ev.Nmea.last().second);
  EXPECT_EQ(rig.Garmin.Checksum_Errors(), 1);

  // A frame after sentences: NMEA_Mode off again.
  rig.Comm.Feed(Wire_Of(12, Bytes({6, 0})));
  EXPECT_FALSE(rig.Garmin.NMEA_Mode());
  // A burst of sentences in one read is taken without more input.
  const int before = rig.Ev.Nmea.size();
  rig.Comm.Feed("$GPGGA,1*4B\r\n$GPGGA,1*4B\r\n$GPGGA,1*4B\r\n");
  rig.Pump();
  EXPECT_EQ(rig.Ev.Nmea.size(), before + 3);
}

TEST(Link, RxBufferIsBounded) {
  cLinkRig rig;
  QByteArray noise(1000, 'x');
  for (int i = 0; i < 20; ++i) rig.Comm.Feed(noise);
  EXPECT_LE(rig.Garmin.RxBuffer().size(), 4096);
  // The noise left in front is skipped: the frame behind it comes through.
  rig.Comm.Feed(Wire_Of(35, Bytes({9})));
  ASSERT_EQ(rig.Ev.Receive.size(), 1);
  EXPECT_EQ(rig.Ev.Receive.last().second, 9);
}

TEST(Link, WaitForProcessesEventsAndZeroReturnsAtOnce) {
  cLinkRig rig;
  QTimer::singleShot(10, [&] { rig.Comm.Feed(Wire_Of(35, Bytes({4}))); });
  rig.Garmin.WaitFor(0);
  EXPECT_TRUE(rig.Ev.Receive.isEmpty());
  rig.Garmin.WaitFor_Ms(100);
  EXPECT_EQ(rig.Ev.Receive.size(), 1);
  EXPECT_EQ(rig.Comm.Written.value(0), Wire_Of(6, Bytes({35, 0})));
}

// A spoilt ACK is no ACK, a packet sent again because our ACK was lost is acknowledged again and
// reported again (the transfer tells it from a real repeat), a count above 32767 is read unsigned,
// and a closed port leaves no retries or half frame behind and sends nothing.
TEST(Link, NoiseRepeatsAndCleanSessions) {
  cLinkRig rig;
  rig.Garmin.Start_of_Records(3);
  QByteArray spoilt = Packet_Of(6, Bytes({27, 0}));
  spoilt[5] = char(spoilt[5] + 1);
  rig.Comm.Feed(Framing::Stuff(spoilt));
  EXPECT_TRUE(rig.Ev.Receive.isEmpty());
  EXPECT_EQ(rig.Garmin.Link_Wait(), cGarmin::cWait::Ack);
  rig.Comm.Feed(Wire_Of(6, Bytes({27, 0})));
  EXPECT_EQ(rig.Garmin.Link_Wait(), cGarmin::cWait::Idle);

  rig.Garmin.Request_Tracks();
  rig.Comm.Written.clear();
  const QByteArray records = Wire_Of(27, Bytes({0x40, 0x9C}));  // 40000
  for (int i = 0; i < 2; ++i) rig.Comm.Feed(records);
  EXPECT_EQ(rig.Garmin.Incoming_Records_Count(), 40000);
  EXPECT_EQ(rig.Comm.Written,
            (QList<QByteArray>{Wire_Of(6, Bytes({27, 0})), Wire_Of(6, Bytes({27, 0}))}));
  EXPECT_EQ(rig.Ev.Receive.size(), 3);  // the ACK of Records and the Records twice

  rig.Garmin.Request_Waypoints();
  rig.Comm.Feed(Wire_Of(21, Bytes({10, 0})));
  rig.Comm.Feed(Wire_Of(35, Bytes({1, 2})).left(4));
  const QByteArray last = rig.Garmin.Last_Sent();
  rig.Garmin.PortClose();
  EXPECT_EQ(rig.Garmin.Retry_Count(), 0);
  EXPECT_TRUE(rig.Garmin.RxBuffer().isEmpty());
  EXPECT_EQ(rig.Garmin.Link_Wait(), cGarmin::cWait::Idle);
  EXPECT_FALSE(rig.Timer.isActive());
  // A closed port sends nothing, traces nothing and keeps the last packet sent.
  rig.Comm.Written.clear();
  rig.Ev.Hex.clear();
  rig.Garmin.Request_Waypoints();
  EXPECT_TRUE(rig.Comm.Written.isEmpty());
  EXPECT_TRUE(rig.Ev.Hex.isEmpty());
  EXPECT_EQ(rig.Garmin.Last_Sent(), last);
  EXPECT_FALSE(rig.Timer.isActive());
}
