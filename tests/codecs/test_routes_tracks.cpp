#include <gtest/gtest.h>

#include <cmath>

#include "garmin/Codecs.h"
#include "garmin/Fields.h"
#include "tests/doubles/Packets.h"

namespace {

TEST(Route, HeadersAndLinksAreTheirBytes) {
  cRoute r;
  r.Number = 5;
  QByteArray p = Codec::Encode_Route_Header(r, "D201", 29);
  EXPECT_EQ(quint8(p[1]), 29);
  EXPECT_EQ(Data(p), Hex("05") + QByteArray(20, ' '));
  EXPECT_EQ(p.size(), 21 + 6);
  EXPECT_EQ(Data(Codec::Encode_Route_Header(r, "D200", 29)), Hex("05"));
  r.Number = 300;  // does not fit its byte
  EXPECT_EQ(Data(Codec::Encode_Route_Header(r, "D200", 29)), Hex("00"));
  r.Ident = "abc";
  EXPECT_EQ(Data(Codec::Encode_Route_Header(r, "D202", 29)), Hex("41424300"));
  EXPECT_TRUE(Codec::Encode_Route_Header(r, "D999", 29).isEmpty());

  cRoute link;
  link.Link_Class = 3;
  link.Link_Sub_Class = "ignored";
  p = Codec::Encode_Route_Link(link, 98);
  EXPECT_EQ(Spaced_Hex(Data(p)), Spaced_Hex(Hex("0300") + Codec::Default_Subclass() + Hex("00")));
  link.Link_Class = 1;
  link.Link_Sub_Class = "sub";
  link.Link_Ident = "road 90";
  p = Codec::Encode_Route_Link(link, 98);
  cRoute back;
  Codec::Decode_Route_Link(p, back);
  EXPECT_EQ(back.Link_Class, 1);
  EXPECT_EQ(back.Link_Sub_Class, "SUB");
  EXPECT_EQ(back.Link_Ident, "ROAD 90");
}

TEST(Route, ReceivedHeadersAndLinks) {
  cRoute r;
  Codec::Decode_Route_Header(Packet_Of(29, Hex("41424300")), "D202", r);
  EXPECT_EQ(r.Ident, "ABC");
  Codec::Decode_Route_Header(Packet_Of(29, Hex("07") + QByteArray("NEGEV") + QByteArray(15, ' ')),
                             "D201", r);
  EXPECT_EQ(r.Number, 7);
  EXPECT_EQ(r.Cmnt, "NEGEV");
  // A class-3 link has no subclass text whatever its bytes hold.
  r.Link_Sub_Class = "old";
  Codec::Decode_Route_Link(Packet_Of(98, Hex("0300") + QByteArray(18, 'Q') + Hex("00")), r);
  EXPECT_EQ(r.Link_Class, 3);
  EXPECT_EQ(r.Link_Sub_Class, "");
  EXPECT_EQ(r.Link_Ident, "");
  // Short packets: the header keeps what it lacks (any length is the codecs fuzz target's job).
  cRoute s;
  s.Number = 9;
  s.Cmnt = "keep";
  s.Ident = "keep";
  Codec::Decode_Route_Header(Packet_Of(29, QByteArray()).left(3), "D201", s);
  EXPECT_EQ(s.Number, 9);
  EXPECT_EQ(s.Cmnt, "keep");
  Codec::Decode_Route_Header(Packet_Of(29, QByteArray()), "D202", s);
  EXPECT_EQ(s.Ident, "keep");
}

TEST(Route, IdentsOver254CharactersAreCut) {
  cRoute r, back;
  r.Ident = QString(300, 'r');
  r.Link_Ident = QString(300, 'l');
  for (bool link : {false, true}) {
    const QByteArray p =
        link ? Codec::Encode_Route_Link(r, 98) : Codec::Encode_Route_Header(r, "D202", 29);
    ASSERT_EQ(quint8(p[2]), 255);
    ASSERT_EQ(p.size(), 255 + 6);
    EXPECT_EQ(p.at(3 + 254), '\0');
    link ? Codec::Decode_Route_Link(p, back) : Codec::Decode_Route_Header(p, "D202", back);
  }
  EXPECT_EQ(back.Ident, QString(254, 'R'));
  EXPECT_EQ(back.Link_Ident, QString(234, 'L'));
}

cTrack Point_At_Eilat() {
  cTrack t;
  t.lat = 29.5577;
  t.lon = 34.9519;
  t.Time = "2005/03/14-08:05:09";
  t.alt = 754.5f;
  t.Dpth = 0;
  t.New_Segment = true;
  return t;
}

TEST(Track, PointsInEachLayout) {
  const cTrack t = Point_At_Eilat();
  const QByteArray head = Hex("A9D00415 9ACCDA18 B5F9971C");  // position, 479721909 s
  EXPECT_EQ(Spaced_Hex(Data(Codec::Encode_Track(t, "D300", 34))), Spaced_Hex(head + Hex("FF")));
  EXPECT_EQ(Spaced_Hex(Data(Codec::Encode_Track(t, "D301", 34))),
            Spaced_Hex(head + Hex("00A03C44 00000000 FF")));
  EXPECT_EQ(Spaced_Hex(Data(Codec::Encode_Track(t, "D302", 34))),
            Spaced_Hex(head + Hex("00A03C44 00000000 51590469 FF")));
  for (const char* f : {"D303", "D304", "D999", ""})
    EXPECT_TRUE(Codec::Encode_Track(t, f, 34).isEmpty()) << f;

  // D300: the flag; no altitude field, so the altitude is unknown; depth left as it was.
  cTrack r;
  r.alt = 11;
  r.Dpth = 22;
  Codec::Decode_Track_Data(Packet_Of(34, head + Hex("01")), "D300", r);
  EXPECT_TRUE(r.New_Segment);
  EXPECT_TRUE(std::isnan(r.alt));
  EXPECT_EQ(r.Dpth, 22.0f);
  EXPECT_EQ(r.Time, "2005/03/14-08:05:09");
  EXPECT_NEAR(r.lat, 29.5577, 1e-7);
  // D302: the temperature lies before the flag; altitude and flag are where they belong.
  cTrack d;
  Codec::Decode_Track_Data(Packet_Of(34, head + Hex("00A03C44 00000000 0000C841 01")), "D302", d);
  EXPECT_EQ(d.alt, 754.5f);
  EXPECT_TRUE(d.New_Segment);
  Codec::Decode_Track_Data(Packet_Of(34, head + Hex("00A03C44 00000000 0000C841 00")), "D302", d);
  EXPECT_FALSE(d.New_Segment);
  // D303/D304 (fitness): position, time, altitude, no segment flag.
  d.New_Segment = true;
  Codec::Decode_Track_Data(Packet_Of(34, head + Hex("00A03C44 78")), "D303", d);
  EXPECT_EQ(d.alt, 754.5f);
  EXPECT_FALSE(d.New_Segment);
  Codec::Decode_Track_Data(Packet_Of(34, head + Hex("0000C842 00000000 78 5A 01")), "D304", d);
  EXPECT_EQ(d.alt, 100.0f);
  // No time (0xFFFFFFFF, or 0 from some receivers) and the unknown altitude 1.0e25 stay unknown,
  // both ways.
  const QByteArray none = Hex("A9D00415 9ACCDA18 FFFFFFFF 51590469 00000000 FF");
  for (const QByteArray& p : {none, none.left(8) + QByteArray(4, 0) + none.mid(12)}) {
    Codec::Decode_Track_Data(Packet_Of(34, p), "D301", d);
    EXPECT_TRUE(d.Time.isEmpty() && std::isnan(d.alt)) << d.Time.toStdString();
    d.Dpth = 0;
    EXPECT_EQ(Spaced_Hex(Data(Codec::Encode_Track(d, "D301", 34))), Spaced_Hex(none));
  }
}

TEST(Track, HeadersByTheAnnouncedHeaderType) {
  cTrack t;
  t.Dspl = true;
  t.Color = 16;
  t.Ident = "hike";
  const QByteArray want = Hex("FF10") + QByteArray("HIKE") + Hex("00");
  for (const char* f : {"D310", "D312"}) {
    const QByteArray p = Codec::Encode_Track_Header(t, f, 99);
    EXPECT_EQ(Spaced_Hex(Data(p)), Spaced_Hex(want)) << f;
    cTrack r;
    Codec::Decode_Track_Header(p, f, r);
    EXPECT_TRUE(r.Dspl);
    EXPECT_EQ(r.Color, 16);
    EXPECT_EQ(r.Ident, "HIKE");
  }
  for (const char* f : {"", "D311"}) EXPECT_TRUE(Codec::Encode_Track_Header(t, f, 99).isEmpty());
  t.Ident = QString(300, 'x');
  EXPECT_EQ(Codec::Encode_Track_Header(t, "D310", 99).size(), 255 + 6);

  // No header type (a D300 receiver): a header changes nothing.
  cTrack r;
  r.Ident = "keep";
  Codec::Decode_Track_Header(Packet_Of(99, want), "", r);
  EXPECT_EQ(r.Ident, "keep");
  EXPECT_FALSE(r.Dspl);
  Codec::Decode_Track_Header(Packet_Of(99, Hex("2A00")), "D311", r);
  EXPECT_EQ(r.Index, 42);
  EXPECT_EQ(r.Ident, "keep");
}

}  // namespace
