#include <gtest/gtest.h>

#include <cmath>

#include "garmin/Codecs.h"
#include "garmin/Fields.h"
#include "tests/doubles/Packets.h"
#include "text/Receiver_Names.h"

namespace {

// Every field some format carries, each with a value of its own.
cWaypoint Jaffa_Gate() {
  cWaypoint w;
  w.Ident = "Jaffa1";
  w.Cmnt = "gate";
  w.lat = 31.7767;
  w.lon = 35.2275;
  w.alt = 754;
  w.Smbl = 8;
  w.Dspl = 2;
  w.Color = 9;
  w.Dist = 250.5f;
  w.Dpth = 3.75f;
  w.Facility = "Gate";
  w.City = "Old City";
  w.State = "JM";
  w.Country = "IL";
  w.Link = "l1";
  return w;
}

// One waypoint at Jaffa Gate in every format, written out byte for byte (the data bytes), and
// read back. The decoders on any bytes are the fuzz target's job.
TEST(Waypoint, JaffaGateInEveryFormat) {
  // The D100 layout (ident, position, 4 unused bytes, 40-byte comment) opens most of them; the
  // D151 layout adds altitude, facility, city, state, country and the unused bytes.
  const QByteArray d100 =
      Hex("4A41464641318EC598167EF80C1900000000474154452020202020202020202020202020"
          "20202020202020202020202020202020202020202020");
  const QByteArray d151 =
      d100 + Hex("00807A43474154452020202020202020202020202020202020202020202020202020"
                 "4F4C442043495459202020202020202020202020202020204A4DF202494C0000");
  const QByteArray d108 = Hex(
      "0800000000000000FFFFFFFFFFFFFFFFFFFFFFFF8EC598167EF80C1900803C440000704000807A434A4D494C");
  const QByteArray texts = Hex("4A414646413100474154450047415445004F4C442043495459000000");
  const struct {
    const char* format;
    QByteArray data;
  } rows[] = {
      {"D100", d100},
      {"D101", d100 + Hex("00807A4308")},
      {"D102", d100 + Hex("00807A430800")},
      {"D103", d100 + Hex("0802")},
      {"D104", d100 + Hex("00807A43080002")},
      {"D105", Hex("8EC598167EF80C1908004A414646413100")},
      {"D106", Hex("00202020202020202020202020208EC598167EF80C1908004A4146464131006C3100")},
      {"D107", d100 + Hex("080200807A4309")},
      {"D108", Hex("00090260") + d108 + texts},
      {"D109", Hex("01002970") + d108 + Hex("FFFFFFFF") + texts},
      {"D110", Hex("01002980") + d108 + Hex("FFFFFFFF51590469FFFFFFFF0000") + texts},
      {"D150", Hex("4A4146464131494C008EC598167EF80C19F2024F4C442043495459202020202020202020"
                   "202020202020204A4D474154452020202020202020202020202020202020202020202020"
                   "202020474154452020202020202020202020202020202020202020202020202020202020"
                   "20202020202020")},
      {"D151", d151},
      {"D152", d151},
      {"D154", d151 + Hex("0800")},
      {"D155", d151 + Hex("000002")},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.format);
    cWaypoint w = Jaffa_Gate();
    const QByteArray p = Codec::Encode_Waypoint(w, row.format, 35);
    EXPECT_EQ(Spaced_Hex(Data(p)), Spaced_Hex(row.data));
    EXPECT_EQ(quint8(p[2]) + 6, p.size());
    cWaypoint r;
    Codec::Decode_Waypoint(p, row.format, r);
    EXPECT_EQ(r.Ident, "JAFFA1");
    EXPECT_NEAR(r.lat, 31.7767, 1e-7);
    EXPECT_NEAR(r.lon, 35.2275, 1e-7);
  }
}

TEST(Waypoint, ExamplesOfTheShortLayouts) {
  // A name the codec does not know goes as D100, the ident padded; +180 is the meridian of -180.
  cWaypoint w;
  w.Ident = "abc";
  w.lat = 32.0;
  w.lon = 180.0;
  QByteArray p = Codec::Encode_Waypoint(w, "D999", 35);
  ASSERT_EQ(quint8(p[2]), 58);
  EXPECT_EQ(p.mid(3, 14), QByteArray("ABC   ") + Hex("176CC116 00000080"));

  // A symbol that does not fit a byte leaves the byte 0; so does colour + 16 x display.
  w.Smbl = 300;
  EXPECT_EQ(quint8(Codec::Encode_Waypoint(w, "D101", 35)[3 + 62]), 0);
  EXPECT_EQ(quint8(Codec::Encode_Waypoint(w, "D103", 35)[3 + 58]), 0);
  EXPECT_EQ(quint8(Codec::Encode_Waypoint(w, "D107", 35)[3 + 58]), 0);
  w.Color = 31;
  w.Dspl = 15;
  EXPECT_EQ(quint8(Codec::Encode_Waypoint(w, "D109", 35)[3 + 2]), 0);

  // D108 read back: the default subclass of class 0 is no subclass text.
  cWaypoint a;
  p = Codec::Encode_Waypoint(a, "D108", 30);
  cWaypoint back;
  back.Sub_Class = "old";
  Codec::Decode_Waypoint(p, "D108", back);
  EXPECT_EQ(back.Sub_Class, "");
  EXPECT_EQ(back.Attrib, 0x60);

  // D151 altitude: halves go to the even neighbour.
  a.alt = 12.5f;
  EXPECT_EQ(Fields::Read_Integer_At(Codec::Encode_Waypoint(a, "D151", 35), 3 + 118), 12);
  a.alt = 13.5f;
  EXPECT_EQ(Fields::Read_Integer_At(Codec::Encode_Waypoint(a, "D151", 35), 3 + 118), 14);
  a.alt = std::nanf("");  // unknown: the maker's 1.0e25 in a float field, 0 in an integer one
  EXPECT_EQ(Codec::Encode_Waypoint(a, "D108", 30).mid(3 + 32, 4), Hex("51590469"));
  EXPECT_EQ(Fields::Read_Integer_At(Codec::Encode_Waypoint(a, "D151", 35), 3 + 118), 0);
}

TEST(Waypoint, ReceiptRules) {
  cWaypoint w;
  // 32.0 degrees on the wire.
  QByteArray data = QByteArray("ABC   ") + Hex("176CC116") + QByteArray(48, '\0');
  Codec::Decode_Waypoint(Packet_Of(35, data), "D100", w);
  EXPECT_EQ(w.Ident, "ABC");
  EXPECT_DOUBLE_EQ(w.lat, 32.0000000204891);
  // D100 and D103: the distance only with the longer size byte.
  w.Dist = 7;
  Codec::Decode_Waypoint(Packet_Of(35, data.left(58)), "D100", w);
  EXPECT_EQ(w.Dist, 7.0f);
  QByteArray with_dist = data.left(58) + Hex("0000C842");  // 100.0
  Codec::Decode_Waypoint(Packet_Of(35, with_dist), "D100", w);
  EXPECT_EQ(w.Dist, 100.0f);
  w.Dist = 7;
  Codec::Decode_Waypoint(Packet_Of(35, data.left(58) + Hex("1201")), "D103", w);
  EXPECT_EQ(w.Dist, 7.0f);
  Codec::Decode_Waypoint(Packet_Of(35, data.left(58) + Hex("1201") + Hex("0000C842")), "D103", w);
  EXPECT_EQ(w.Dist, 100.0f);
  EXPECT_EQ(w.Smbl, 18);

  // D109: the display/colour byte 0x45, and altitude rounded to two decimals.
  cWaypoint j = Jaffa_Gate();
  j.alt = 754.1267f;
  j.Facility = "";
  QByteArray p = Codec::Encode_Waypoint(j, "D109", 30);
  p[3 + 2] = char(0x45);
  cWaypoint r;
  r.Facility = "keep";
  Codec::Decode_Waypoint(p, "D109", r);
  EXPECT_EQ(r.Color, 5);
  EXPECT_EQ(r.Dspl, 4);
  EXPECT_EQ(r.alt, 754.13f);
  EXPECT_EQ(r.Ete, -1);
  EXPECT_EQ(r.Dtype, 1);
  EXPECT_EQ(r.Facility, "");  // the six texts are all there, empty ones too
  // A D100 record after it leaves the fields D100 does not carry.
  Codec::Decode_Waypoint(Packet_Of(35, data), "D100", r);
  EXPECT_EQ(r.Dtype, 1);
  EXPECT_EQ(r.Ete, -1);
  // A D150 record with the proximity size: index, record, distance.
  const QByteArray d150 = Data(Codec::Encode_Waypoint(j, "D150", 35));
  Codec::Decode_Waypoint(Packet_Of(19, Hex("0500") + d150 + Hex("0000FA43")), "D150", r);
  EXPECT_EQ(r.Prox_Index, 5);
  EXPECT_EQ(r.Ident + "|" + r.Cmnt, "JAFFA1|GATE");
  EXPECT_EQ(r.Dist, 500.0f);
}

TEST(Waypoint, SendingWritesSymbol18BackButKeepsEte) {
  for (const char* f : {"D109", "D110"}) {
    cWaypoint w = Jaffa_Gate();
    w.Smbl = 0;
    const QByteArray p = Codec::Encode_Waypoint(w, f, 30);
    EXPECT_EQ(w.Smbl, 18);
    EXPECT_EQ(w.Ete, 0);
    EXPECT_EQ(Fields::Read_Integer_At(p, 3 + 4), 18);
    EXPECT_EQ(p.mid(3 + 48, 4), Hex("FFFFFFFF"));
  }
  cWaypoint w = Jaffa_Gate();
  w.Smbl = 0;
  Codec::Encode_Waypoint(w, "D108", 30);
  EXPECT_EQ(w.Smbl, 0);
}

TEST(Waypoint, LongTextsAreCutToFitTheSizeByte) {
  cWaypoint w;
  w.Ident = QString(100, 'N');
  w.Cmnt = QString(120, 'C');
  w.Facility = QString(80, 'F');
  w.Link = QString(300, 'l');
  for (const char* f : {"D106", "D108", "D109", "D110"}) {
    SCOPED_TRACE(f);
    cWaypoint s = w;
    const QByteArray p = Codec::Encode_Waypoint(s, f, 35);
    ASSERT_EQ(p.size(), 255 + 6);
    EXPECT_EQ(p.at(3 + 254), '\0');  // the last text still ends with its NUL
    cWaypoint r;
    Codec::Decode_Waypoint(p, f, r);
    EXPECT_EQ(r.Ident, w.Ident);  // the name comes through whole; later texts give way
  }
  w.Ident = QString(300, 'N');
  cWaypoint s = w;
  const QByteArray p = Codec::Encode_Waypoint(s, "D105", 35);
  ASSERT_EQ(p.size(), 255 + 6);
  cWaypoint r;
  Codec::Decode_Waypoint(p, "D105", r);
  EXPECT_EQ(r.Ident, QString(244, 'N'));
}

// The name a label gets: Hebrew as the code page carries it, Latin by the README's table within
// the format's length, the hiker's own first, unique in the route; then names.csv read and kept.
TEST(Waypoint, ReceiverNamesAndTheNamesFile) {
  const struct {
    const char* label;
    const char* format;
    int L;  // the setting; 0 for Hebrew
    const char* name;
  } rows[] = {
      {"שער יפו", "D108", 0, "שער יפו"},     {"Jaffa Gate", "D103", 0, "JAFFA "},
      {"Jaffa Gate", "D108", 10, "JAFFA GATE"}, {"Jaffa Gate", "D103", 10, "JAFFA"},
      {"Café Noé", "D108", 10, "CAFE NOE"},     {"שער יפו", "D108", 10, "SHAR YFO"},
      {"תל אביב-יפו", "D109", 20, "TL AVIV-YFO"}, {"עין גדי 2", "GPX", 6, "IN GDI 2"},
      {"ג'וליס", "D110", 10, "JOLIS"},          {"שׂדה בוקר", "D108", 10, "SDA BOKR"},
      {"כפר סבא", "D108", 10, "KFR SVA"},       {"ירושלים", "D108", 30, "YROSHLIM"},
      {"ביאליק", "D108", 10, "BYALIK"},         {"מעיין", "D108", 10, "MAYN"},
      {"חורבת עוזה", "D108", 10, "HORVAT UZA"}, {"חורבת עוזה", "D100", 10, "HORVAT"},
      {"★★", "D108", 10, "1"},
  };
  cNameRules rules;
  rules.Own.insert(QStringLiteral("חורבת עוזה"), "HORVAT UZA");
  for (const auto& row : rows) {
    rules.Latin = row.L > 0;
    rules.Length = row.L;
    EXPECT_EQ(Receiver_Names({QString::fromUtf8(row.label)}, row.format, rules),
              QStringList(QString::fromUtf8(row.name)))
        << row.label << " " << row.format;
  }
  rules.Latin = true;
  EXPECT_EQ(Receiver_Names({"מעיין", "מעיין!", "Spring", "SPRING"}, "D103", rules),
            QStringList({"MAYN", "MAYN2", "SPRING", "SPRIN2"}));
  EXPECT_EQ(Receiver_Title("מסלול הגליל העליון המערבי", "D108", rules), "MSLOL HGLIL HALYON H");
  const QByteArray file = "\xEF\xBB\xBFשער יפו,Jaffa gate\r\nno comma\nא,שלום\n\nb,c,d\n";
  const cNamesText text = Parse_Names(file);
  EXPECT_EQ(text.names, (QHash<QString, QString>{{"שער יפו", "JAFFA GATE"}, {"b,c", "D"}}));
  ASSERT_EQ(text.faults.size(), 2);
  EXPECT_EQ(text.faults[0].line, 2);
  EXPECT_EQ(text.faults[1].fault, cNameFault::Bad_Char);
  EXPECT_EQ(With_Name(With_Name(file, "b,c", "E"), "x", "Y"),
            "\xEF\xBB\xBFשער יפו,Jaffa gate\r\nno comma\nא,שלום\n\nb,c,E\nx,Y\n");
  EXPECT_EQ(With_Name("a,B\nc,D\n", "a", ""), "c,D\n");
}
}  // namespace
