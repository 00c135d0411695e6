// The link with the in-memory serial control and a 50 ms timer: ACK/NAK, retries, time-outs,
// error numbers and messages, sentences, requests.
#include <gtest/gtest.h>

#include "Helpers.h"

namespace {
const QByteArray kAckOf35 = Wire_Of(6, Bytes({35, 0}));
}

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

TEST(Link, NakRetransmitsFiveTimesThenReportsTheSixth) {
  cLinkRig rig;
  rig.Garmin.Request_Waypoints();
  const QByteArray request = Bytes({0x10, 0x0A, 0x02, 0x07, 0x00, 0xED, 0x10, 0x03});
  ASSERT_EQ(rig.Comm.Written.value(0), request);
  for (int i = 0; i < 6; ++i) rig.Comm.Feed(Wire_Of(21, Bytes({10, 0})));
  ASSERT_EQ(rig.Comm.Written.size(), 6);  // the first sending and five retransmissions
  for (const QByteArray& w : rig.Comm.Written) EXPECT_EQ(w, request);
  ASSERT_EQ(rig.Ev.Errors.size(), 1);
  EXPECT_EQ(rig.Ev.Errors[0].Num, 2);
  EXPECT_EQ(rig.Ev.Errors[0].Msg, QStringLiteral("Unable to communicate with device on port 3"));
  EXPECT_EQ(Framing::Stuff(rig.Ev.Errors[0].Packet), request);
  EXPECT_EQ(rig.Garmin.Retry_Count(), 0);

  // A valid frame between NAKs resets the count: one NAK, a frame, five NAKs, no report.
  rig.Comm.Feed(Wire_Of(21, Bytes({10, 0})));
  rig.Comm.Feed(Wire_Of(35, Bytes({1})));
  for (int i = 0; i < 5; ++i) rig.Comm.Feed(Wire_Of(21, Bytes({6, 0})));
  EXPECT_EQ(rig.Ev.Errors.size(), 1);
  EXPECT_EQ(rig.Garmin.Retry_Count(), 5);
}

TEST(Link, InvalidFramesAreNakedFiveTimesThenReported) {
  cLinkRig rig;
  QByteArray bad = Packet_Of(35, Bytes({1, 2, 3}));
  bad[bad.size() - 3] = char(bad[bad.size() - 3] + 1);
  for (int i = 0; i < 6; ++i) rig.Comm.Feed(Framing::Stuff(bad));
  ASSERT_EQ(rig.Comm.Written.size(), 5);
  for (const QByteArray& w : rig.Comm.Written) EXPECT_EQ(w, Wire_Of(21, Bytes({35, 0})));
  ASSERT_EQ(rig.Ev.Errors.size(), 1);
  EXPECT_EQ(rig.Ev.Errors[0].Num, 3);
  EXPECT_EQ(rig.Ev.Errors[0].Msg, QStringLiteral("Invalid message received from device on port 3"));
  EXPECT_EQ(rig.Ev.Errors[0].Packet, bad);
  EXPECT_TRUE(rig.Ev.Receive.isEmpty());  // a frame that fails its check reaches nobody
  EXPECT_EQ(rig.Garmin.Incoming_Records_Count(), 0);
}

TEST(Link, ShortFramesAreNoiseCountedAsInvalid) {
  cLinkRig rig;
  rig.Garmin.Request_Product_Data();
  rig.Comm.Written.clear();
  for (int i = 0; i < 5; ++i) rig.Comm.Feed(Bytes({0x10, 0x06, 0x10, 0x03}));
  EXPECT_TRUE(rig.Ev.Receive.isEmpty());
  EXPECT_TRUE(rig.Comm.Written.isEmpty());  // neither ACK nor NAK
  EXPECT_TRUE(rig.Timer.isActive());        // still waiting for the real answer
  EXPECT_TRUE(rig.Ev.Errors.isEmpty());
  rig.Comm.Feed(Bytes({0x10, 0x03}));
  ASSERT_EQ(rig.Ev.Errors.size(), 1);
  EXPECT_EQ(rig.Ev.Errors[0].Num, 3);
}

TEST(Link, TimeOutAfterFourTicks) {
  cLinkRig rig;
  rig.Garmin.Request_Product_Data();
  rig.Comm.Feed(Bytes({0x10, 0xFF}));  // a frame start that never ends
  while (rig.Ev.Errors.isEmpty()) rig.Garmin.WaitFor_Ms(20);
  EXPECT_EQ(rig.Ev.Errors[0].Num, 1);
  EXPECT_EQ(rig.Ev.Errors[0].Msg, QStringLiteral("No response from device on port 3"));
  EXPECT_EQ(rig.Ev.Errors[0].Packet, Packet_Of(254, Bytes({0, 0})));
  EXPECT_TRUE(rig.Garmin.RxBuffer().isEmpty());
  EXPECT_FALSE(rig.Timer.isActive());
  EXPECT_EQ(rig.Garmin.Timeout_Ticks(), 0);

  // The ACK of a request for records is not its answer: a receiver that acknowledges the track
  // request and then stays silent still ends in the time-out. Other ACKs stop the timer.
  rig.Garmin.Request_Tracks();
  rig.Comm.Feed(Wire_Of(6, Bytes({10, 0})));
  EXPECT_TRUE(rig.Timer.isActive());
  while (rig.Ev.Errors.size() < 2) rig.Garmin.WaitFor_Ms(20);
  EXPECT_EQ(rig.Ev.Errors[1].Num, 1);
  EXPECT_EQ(rig.Ev.Errors[1].Packet, Packet_Of(10, Bytes({6, 0})));
  rig.Garmin.Start_of_Records(2);
  rig.Comm.Feed(Wire_Of(6, Bytes({27, 0})));
  EXPECT_FALSE(rig.Timer.isActive());
  rig.Ev.Errors.removeLast();

  // A stopped sentence stream reports the NMEA message.
  rig.Comm.Feed("$GPGGA,1*4B\r\n");
  while (rig.Ev.Errors.size() < 2) rig.Garmin.WaitFor_Ms(20);
  EXPECT_EQ(rig.Ev.Errors[1].Msg, QStringLiteral("No longer receiving NMEA/TEXT data on port 3"));
}

// What a receiver sends that is not the answer awaited leaves the wait running, so that a
// receiver that sends it and then falls silent still ends in the time-out (each case was a
// transfer that waited for ever, found by fuzzing the transfers).
TEST(Link, StrayPacketsDoNotEndTheWait) {
  const auto ticks_to_error = [](cLinkRig& rig) {
    EXPECT_TRUE(rig.Timer.isActive());
    const int before = rig.Ev.Errors.size();
    while (rig.Ev.Errors.size() == before) rig.Garmin.WaitFor_Ms(20);
    EXPECT_EQ(rig.Ev.Errors.last().Num, 1);
  };
  {
    // An upload's Records, then a transfer complete instead of its ACK.
    cLinkRig rig;
    rig.Garmin.Start_of_Records(3);
    rig.Comm.Feed(Wire_Of(12, Bytes({7, 0})));
    ticks_to_error(rig);
  }
  {
    // An ACK that names another packet is not the ACK of the Records.
    cLinkRig rig;
    rig.Garmin.Start_of_Records(3);
    rig.Comm.Feed(Wire_Of(6, Bytes({6, 0})));
    ticks_to_error(rig);
    rig.Garmin.Start_of_Records(3);
    rig.Comm.Feed(Wire_Of(6, Bytes({27, 0})));
    EXPECT_FALSE(rig.Timer.isActive());
  }
  {
    // A download: a track header, then a stray ACK; the rest of the log is still due.
    cLinkRig rig;
    rig.Garmin.Request_Tracks();
    rig.Comm.Feed(Wire_Of(6, Bytes({10, 0})));
    rig.Comm.Feed(Wire_Of(99, Bytes({1, 0xFF, 0, 'T', 0})));
    rig.Comm.Feed(Wire_Of(6, Bytes({99, 0})));
    ticks_to_error(rig);
  }
  {
    // The track request, then packets of other kinds (the capability array, the time) before
    // any ACK: the request is still unanswered.
    cLinkRig rig;
    rig.Garmin.Request_Tracks();
    rig.Comm.Feed(Wire_Of(253, Bytes({'P', 0, 0})));
    rig.Comm.Feed(Wire_Of(14, Bytes({12, 7, 0xEA, 7, 10, 0, 0, 0})));
    ticks_to_error(rig);
    // The time does answer a request for the time.
    rig.Garmin.Request_Date_Time();
    rig.Comm.Feed(Wire_Of(6, Bytes({10, 0})));
    EXPECT_TRUE(rig.Timer.isActive());
    rig.Comm.Feed(Wire_Of(14, Bytes({12, 7, 0xEA, 7, 10, 0, 0, 0})));
    EXPECT_FALSE(rig.Timer.isActive());
  }
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

TEST(Link, ClosedPortSendsNothing) {
  cLinkRig rig;
  rig.Garmin.Request_Product_Data();
  const QByteArray last = rig.Garmin.Last_Sent();
  rig.Garmin.PortClose();
  EXPECT_FALSE(rig.Timer.isActive());
  rig.Comm.Written.clear();
  rig.Ev.Hex.clear();
  rig.Garmin.Request_Waypoints();
  EXPECT_TRUE(rig.Comm.Written.isEmpty());
  EXPECT_TRUE(rig.Ev.Hex.isEmpty());
  EXPECT_EQ(rig.Garmin.Last_Sent(), last);
  EXPECT_FALSE(rig.Timer.isActive());
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
  for (const char* good : {"9600,N,8,1", "4800,e,7,2", "19200,M,8,1.5", "9600,S,5,1"}) {
    cMemComm c;
    cGarmin d;
    d.setComGarmin(&c);
    d.setSettings(QString::fromLatin1(good));
    EXPECT_TRUE(d.PortOpen()) << good;
  }
  g.setSettings(QStringLiteral("9600,N,8,1"));
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
}

TEST(Link, BurstOfSentencesIsTakenWithoutMoreInput) {
  cLinkRig rig;
  rig.Comm.Feed("$GPGGA,1*4B\r\n$GPGGA,1*4B\r\n$GPGGA,1*4B\r\n");
  rig.Pump();
  EXPECT_EQ(rig.Ev.Nmea.size(), 3);
}

TEST(Link, RxBufferIsBounded) {
  cLinkRig rig;
  QByteArray noise(1000, 'x');
  for (int i = 0; i < 20; ++i) rig.Comm.Feed(noise);
  EXPECT_LE(rig.Garmin.RxBuffer().size(), 4096);
  // The noise left in front costs the next frame; the one after it comes through.
  rig.Comm.Feed(Wire_Of(35, Bytes({9})));
  rig.Comm.Feed(Wire_Of(35, Bytes({9})));
  ASSERT_FALSE(rig.Ev.Receive.isEmpty());
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

// Line noise stays noise: a spoilt ACK is no ACK, a packet sent again because our ACK was lost
// is acknowledged again and reported once, sentences do not hold off a wait's time-out, a count
// above 32767 is read unsigned, and a closed port leaves no retries or half frame behind.
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
  EXPECT_EQ(rig.Ev.Receive.size(), 2);  // the ACK of Records and the Records once

  const int errors = rig.Ev.Errors.size();
  for (int i = 0; i < 40 && rig.Ev.Errors.size() == errors; ++i) {
    rig.Comm.Feed("$GPGGA,1*4B\r\n");
    rig.Garmin.WaitFor_Ms(20);
  }
  ASSERT_EQ(rig.Ev.Errors.size(), errors + 1);
  EXPECT_EQ(rig.Ev.Errors.last().Num, 1);

  rig.Garmin.Request_Waypoints();
  rig.Comm.Feed(Wire_Of(21, Bytes({10, 0})));
  rig.Comm.Feed(Wire_Of(35, Bytes({1, 2})).left(4));
  rig.Garmin.PortClose();
  EXPECT_EQ(rig.Garmin.Retry_Count(), 0);
  EXPECT_TRUE(rig.Garmin.RxBuffer().isEmpty());
  EXPECT_EQ(rig.Garmin.Link_Wait(), cGarmin::cWait::Idle);
}
