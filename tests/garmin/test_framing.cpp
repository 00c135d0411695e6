// The frame codec over byte arrays: frame ends, stuffing, checksums, traces.
#include <gtest/gtest.h>

#include "Helpers.h"

TEST(Framing, FrameEndSkipsDoubledDle) {
  struct {
    const char* legend;
    QByteArray buffer;
    int end;
  } cases[] = {
      {"plain ACK", Bytes({0x10, 0x06, 0x02, 0x0A, 0x00, 0xEE, 0x10, 0x03}), 7},
      {"data 10 03 doubled", Bytes({0x10, 0x22, 0x02, 0x10, 0x10, 0x03, 0xC9, 0x10, 0x03}), 8},
      {"checksum 0x10", Bytes({0x10, 0x22, 0x01, 0xBD, 0x10, 0x10, 0x10, 0x03}), 7},
      {"incomplete", Bytes({0x10, 0x06, 0x02, 0x0A, 0x00, 0xEE, 0x10}), -1},
      {"only stuffed pair", Bytes({0x10, 0x10, 0x03}), -1},
      {"empty", QByteArray(), -1},
  };
  for (const auto& c : cases) EXPECT_EQ(Framing::Find_Frame_End(c.buffer), c.end) << c.legend;
}

TEST(Framing, StuffAndUnstuffRoundTrip) {
  // Size 0x10, data with 0x10 and a 0x10 0x03 pair,; the id 0x10 case follows.
  QByteArray data(16, '\x01');
  data[3] = 0x10;
  data[4] = 0x03;
  const QByteArray packet = Packet_Of(0x22, data);
  const QByteArray wire = Framing::Stuff(packet);
  EXPECT_EQ(wire.count('\x10'), packet.count('\x10') + 2);  // size and data 0x10 doubled
  EXPECT_EQ(Framing::Find_Frame_End(wire), wire.size() - 1);
  EXPECT_EQ(Framing::Unstuff(wire), packet);
  // The id is never doubled.
  const QByteArray id10 = Framing::Stuff(Packet_Of(0x10, Bytes({0x01})));
  EXPECT_EQ(id10.left(3), Bytes({0x10, 0x10, 0x01}));
}

TEST(Framing, Checksums) {
  EXPECT_EQ(Framing::Packet_Checksum(Bytes({0x10, 10, 2, 5, 0, 0, 0x10, 3})), 0xEF);
  EXPECT_EQ(Framing::Packet_Checksum(Bytes({0x10, 10, 2, 7, 0, 0, 0x10, 3})), 0xED);
  // A size byte larger than the packet reads no bytes beyond the data.
  EXPECT_EQ(Framing::Packet_Checksum(Bytes({0x10, 10, 200, 7, 0, 0, 0x10, 3})), quint8(256 - 217));
  EXPECT_EQ(Framing::NMEA_Checksum(QStringLiteral("$abc")), QStringLiteral("60"));
  EXPECT_EQ(Framing::NMEA_Checksum(QStringLiteral("$abc*12")), QStringLiteral("60"));
  EXPECT_EQ(Framing::NMEA_Checksum(QStringLiteral("$a")), QStringLiteral("61"));
  EXPECT_EQ(Framing::NMEA_Checksum(QStringLiteral("$")), QStringLiteral("00"));
}

// The receive path cuts a frame out of any chunking: split at every offset, with garbage and
// sentences around it, and two frames in one read.
TEST(Framing, FrameSplitAtEveryOffset) {
  // Stuffed bytes, and a "$" with CR LF that must not be cut out as a sentence.
  QByteArray data = Bytes({0x10, 0x03, '$', 0x0D, 0x0A, 0x10, 0x20});
  const QByteArray wire = Wire_Of(35, data);
  for (int cut = 0; cut <= wire.size(); ++cut) {
    cLinkRig rig;
    rig.Comm.Feed(wire.left(cut));
    rig.Comm.Feed(wire.mid(cut));
    rig.Pump();
    ASSERT_EQ(rig.Ev.Receive.size(), 1) << "cut at " << cut;
    EXPECT_EQ(rig.Ev.Receive[0].first, 35);
    EXPECT_EQ(rig.Ev.Receive[0].second, 0x10);
    EXPECT_TRUE(rig.Garmin.RxBuffer().isEmpty());
  }
}

TEST(Framing, GarbageAndTwoFramesInOneRead) {
  // Garbage in front (a DLE among it) is skipped, and both frames of one read are taken without
  // more input (the receiver waits for our ACK and sends nothing else).
  cLinkRig rig;
  rig.Comm.Feed(Bytes({0x55, 0x10, 0xAA}) + Wire_Of(27, Bytes({2, 0})) + Wire_Of(35, Bytes({7})));
  EXPECT_EQ(rig.Ev.Receive.size(), 1);
  rig.Pump();
  ASSERT_EQ(rig.Ev.Receive.size(), 2);
  EXPECT_EQ(rig.Ev.Receive[0].first, 27);
  EXPECT_EQ(rig.Ev.Receive[1].first, 35);
  EXPECT_EQ(rig.Comm.Written.size(), 2);  // two ACKs
}
