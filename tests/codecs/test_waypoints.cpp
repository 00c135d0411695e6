#include <gtest/gtest.h>

#include <cmath>

#include "garmin/Codecs.h"
#include "garmin/Fields.h"
#include "tests/codecs/Bytes.h"

using namespace TestBytes;

namespace {

cWaypoint Jerusalem() {
  cWaypoint w;
  w.Ident = "Jrslm";
  w.lat = 31.7683;
  w.lon = 35.2137;
  w.Cmnt = "old city";
  w.alt = 754;
  w.Smbl = 18;
  w.Dspl = 1;
  w.Country = "il";
  return w;
}

cWaypoint Eilat() {
  cWaypoint w;
  w.Ident = "eilat";
  w.lat = 29.5577;
  w.lon = 34.9519;
  w.Cmnt = "red sea";
  w.City = "eilat";
  w.alt = 12.4f;
  w.Color = 2;
  w.Country = "IL";
  return w;
}

TEST(Waypoint, PacketsOfRealPlacesAreTheBytesOfTheirLayouts) {
  const struct {
    const char* format;
    cWaypoint wpt;
    const char* data;
  } cases[] = {
      {"D103", Jerusalem(),
       "4A52534C4D20 163E9716 5D750A19 00000000 4F4C44204349545920202020202020202020202020202020"
       "20202020202020202020202020202020 12 01"},
      {"D109",
       [] {
         cWaypoint w = Jerusalem();
         w.Smbl = 0;
         w.Color = 5;
         w.Dspl = 4;
         return w;
       }(),
       "01 00 45 70 1200 000000000000 FFFFFFFFFFFFFFFFFFFFFFFF 163E9716 5D750A19 00803C44 00000000"
       "00000000 2020 494C FFFFFFFF 4A52534C4D00 4F4C44204349545900 00 00 00 00"},
      {"D110", Eilat(),
       "01 00 02 80 1200 000000000000 FFFFFFFFFFFFFFFFFFFFFFFF A9D00415 9ACCDA18 66664641 00000000"
       "00000000 2020 494C FFFFFFFF 51590469 FFFFFFFF 0000 45494C415400 5245442053454100 00"
       "45494C415400 00 00"},
      {"D150", Eilat(),
       "45494C415420 494C 00 A9D00415 9ACCDA18 0C00"
       "45494C415420202020202020202020202020202020202020"              // city, 24
       "2020"                                                          // state
       "202020202020202020202020202020202020202020202020202020202020"  // facility, 30
       "52454420534541202020202020202020202020202020202020202020202020202020202020202020"},
  };
  for (const auto& c : cases) {
    cWaypoint w = c.wpt;
    const QByteArray p = Codec::Encode_Waypoint(w, c.format, 35);
    const QByteArray want = QByteArray::fromHex(QByteArray(c.data).replace(" ", ""));
    ASSERT_EQ(p.size(), want.size() + 6) << c.format;
    EXPECT_EQ(quint8(p[1]), 35) << c.format;
    EXPECT_EQ(Spaced_Hex(Data(p)), Spaced_Hex(want)) << c.format;
  }
}

TEST(Waypoint, ExamplesOfTheShortLayouts) {
  cWaypoint w;
  w.Ident = "abc";
  w.lat = 32.0;
  QByteArray p = Codec::Encode_Waypoint(w, "D100", 35);
  ASSERT_EQ(p.size(), 64);
  EXPECT_EQ(quint8(p[2]), 58);
  EXPECT_EQ(p.mid(3, 6), QByteArray("ABC   "));
  EXPECT_EQ(p.mid(9, 4), Hex("176CC116"));
  EXPECT_EQ(p.mid(21, 40), QByteArray(40, ' '));

  // A name the codec does not know goes as D100; +180 is the meridian of -180.
  w.lon = 180.0;
  p = Codec::Encode_Waypoint(w, "D999", 35);
  ASSERT_EQ(quint8(p[2]), 58);
  EXPECT_EQ(p.mid(13, 4), Hex("00000080"));

  // A symbol that does not fit a byte leaves the byte 0; so does colour + 16 x display.
  w.Smbl = 300;
  EXPECT_EQ(quint8(Codec::Encode_Waypoint(w, "D101", 35)[3 + 62]), 0);
  EXPECT_EQ(quint8(Codec::Encode_Waypoint(w, "D103", 35)[3 + 58]), 0);
  EXPECT_EQ(quint8(Codec::Encode_Waypoint(w, "D107", 35)[3 + 58]), 0);
  w.Color = 31;
  w.Dspl = 15;
  EXPECT_EQ(quint8(Codec::Encode_Waypoint(w, "D109", 35)[3 + 2]), 0);

  // D108: one-letter ident, default subclass for class 0.
  cWaypoint a;
  a.Ident = "a";
  p = Codec::Encode_Waypoint(a, "D108", 30);
  ASSERT_EQ(quint8(p[2]), 55);
  EXPECT_EQ(p.mid(3 + 6, 18), Codec::Default_Subclass());
  EXPECT_EQ(p.mid(3 + 48, 7), Hex("41000000000000"));
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
}

TEST(Waypoint, ReceiptRules) {
  cWaypoint w;
  // 32.0 degrees on the wire.
  QByteArray data = QByteArray("ABC   ") + Hex("176CC116") + QByteArray(48, '\0');
  Codec::Decode_Waypoint(Frame(35, data), "D100", w);
  EXPECT_EQ(w.Ident, "ABC");
  EXPECT_DOUBLE_EQ(w.lat, 32.0000000204891);
  // D100 and D103: the distance only with the longer size byte.
  w.Dist = 7;
  Codec::Decode_Waypoint(Frame(35, data.left(58)), "D100", w);
  EXPECT_EQ(w.Dist, 7.0f);
  QByteArray with_dist = data.left(58) + Hex("0000C842");  // 100.0
  Codec::Decode_Waypoint(Frame(35, with_dist), "D100", w);
  EXPECT_EQ(w.Dist, 100.0f);
  w.Dist = 7;
  Codec::Decode_Waypoint(Frame(35, data.left(58) + Hex("1201")), "D103", w);
  EXPECT_EQ(w.Dist, 7.0f);
  Codec::Decode_Waypoint(Frame(35, data.left(58) + Hex("1201") + Hex("0000C842")), "D103", w);
  EXPECT_EQ(w.Dist, 100.0f);
  EXPECT_EQ(w.Smbl, 18);

  // D109: the display/colour byte 0x45, and altitude rounded to two decimals.
  cWaypoint j = Jerusalem();
  j.alt = 754.1267f;
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
  Codec::Decode_Waypoint(Frame(35, data), "D100", r);
  EXPECT_EQ(r.Dtype, 1);
  EXPECT_EQ(r.Ete, -1);
}

// Every format: encode a realistic record and read it back.
TEST(Waypoint, RoundTripInEveryFormat) {
  enum {
    kSmbl = 1,
    kDspl = 2,
    kColor = 4,
    kDist = 8,
    kAlt = 16,
    kDpth = 32,
    kAirport = 64,
    kMap = 128,
    kLink = 256
  };
  const struct {
    const char* format;
    int ident_width;  // 0: variable text
    int cmnt_width;   // 0: none, -1: variable
    int fields;
  } formats[] = {
      {"D100", 6, 40, 0},
      {"D101", 6, 40, kDist | kSmbl},
      {"D102", 6, 40, kDist | kSmbl},
      {"D103", 6, 40, kSmbl | kDspl},
      {"D104", 6, 40, kDist | kSmbl | kDspl},
      {"D105", 0, 0, kSmbl},
      {"D106", 0, 0, kSmbl | kLink},
      {"D107", 6, 40, kSmbl | kDspl | kDist | kColor},
      {"D108", 0, -1, kSmbl | kDspl | kColor | kDist | kAlt | kDpth | kAirport | kMap},
      {"D109", 0, -1, kSmbl | kColor | kDist | kAlt | kDpth | kAirport | kMap},
      {"D110", 0, -1, kSmbl | kColor | kDist | kAlt | kDpth | kAirport | kMap},
      {"D150", 6, 40, kAirport},
      {"D151", 6, 40, kDist | kAirport},
      {"D152", 6, 40, kDist | kAirport},
      {"D154", 6, 40, kDist | kAirport | kSmbl},
      {"D155", 6, 40, kDist | kAirport | kDspl},
  };
  cWaypoint hebrew;
  hebrew.Ident = QString::fromUtf8("ירושלים");
  hebrew.Cmnt = QString::fromUtf8("העיר העתיקה, שער יפו");
  hebrew.lat = 31.7767;
  hebrew.lon = 35.2345;
  hebrew.alt = 754;
  cWaypoint south;  // negative coordinates and a long comment
  south.Ident = "Cape Horn";
  south.Cmnt = QString("Southern tip of the islands, rounded by sailing ships ").repeated(2);
  south.lat = -55.9833;
  south.lon = -67.2667;
  south.alt = 10.25f;
  for (cWaypoint base : {hebrew, south}) {
    base.Smbl = 8;
    base.Dspl = 2;
    base.Color = 9;
    base.Dist = 250.5f;
    base.Dpth = 3.75f;
    base.Facility = "Jaffa Gate";
    base.City = "Old City";
    base.State = "JM";
    base.Country = "IL";
    base.Link = "link-1";
    for (const auto& f : formats) {
      SCOPED_TRACE(f.format);
      cWaypoint w = base;
      if (f.fields & kMap) {
        w.Wpt_Class = 0x83;
        w.Sub_Class =
            QString::fromLatin1(QByteArray::fromHex("0102030405060708090A0B0C0D0E0F1011FF"));
        w.Address = "1 Jaffa Road";
        w.Cross_Road = "King David St";
      }
      const QByteArray p = Codec::Encode_Waypoint(w, f.format, 35);
      ASSERT_EQ(quint8(p[2]) + 6, p.size());
      cWaypoint r;
      Codec::Decode_Waypoint(p, f.format, r);
      const QString ident = base.Ident.toUpper();
      EXPECT_EQ(r.Ident, f.ident_width ? ident.left(f.ident_width).trimmed() : ident);
      if (f.cmnt_width > 0) {
        EXPECT_EQ(r.Cmnt, base.Cmnt.toUpper().left(f.cmnt_width).trimmed());
      }
      if (f.cmnt_width < 0) {
        EXPECT_EQ(r.Cmnt, base.Cmnt.toUpper());
      }
      EXPECT_NEAR(r.lat, base.lat, 1e-7);
      EXPECT_NEAR(r.lon, base.lon, 1e-7);
      if (f.fields & kSmbl) {
        EXPECT_EQ(r.Smbl, 8);
      }
      if (f.fields & kDspl) {
        EXPECT_EQ(r.Dspl, 2);
      }
      if (f.fields & kColor) {
        EXPECT_EQ(r.Color, 9);
      }
      if (f.fields & kDist) {
        EXPECT_EQ(r.Dist, 250.5f);
      }
      if (f.fields & kAlt) {
        EXPECT_EQ(r.alt, base.alt);
      }
      if (f.fields & kDpth) {
        EXPECT_EQ(r.Dpth, 3.75f);
      }
      if (f.fields & kAirport) {
        EXPECT_EQ(r.Facility, "JAFFA GATE");
        EXPECT_EQ(r.City, "OLD CITY");
        if (f.ident_width == 6) {
          EXPECT_EQ(r.alt, std::nearbyint(base.alt));
        }
      }
      if (f.fields & kMap) {
        EXPECT_EQ(r.Wpt_Class, 0x83);
        EXPECT_EQ(r.Sub_Class, w.Sub_Class);
        EXPECT_EQ(r.Address, "1 JAFFA ROAD");
        EXPECT_EQ(r.Cross_Road, "KING DAVID ST");
        EXPECT_EQ(r.State, "JM");
        EXPECT_EQ(r.Country, "IL");
      }
      if (f.fields & kLink) {
        EXPECT_EQ(r.Link, "link-1");
      }
    }
  }
}

TEST(Waypoint, SendingWritesSymbol18BackButKeepsEte) {
  for (const char* f : {"D109", "D110"}) {
    cWaypoint w = Jerusalem();
    w.Smbl = 0;
    const QByteArray p = Codec::Encode_Waypoint(w, f, 30);
    EXPECT_EQ(w.Smbl, 18);
    EXPECT_EQ(w.Ete, 0);
    EXPECT_EQ(Fields::Read_Integer_At(p, 3 + 4), 18);
    EXPECT_EQ(p.mid(3 + 48, 4), Hex("FFFFFFFF"));
  }
  cWaypoint w = Jerusalem();
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

// A packet cut short at every length, its size byte still claiming the whole record, reads
// nothing outside the buffer and leaves what it lacks as the field readers say.
TEST(Waypoint, TruncatedPacketsOfEveryFormat) {
  const char* formats[] = {"D100", "D101", "D102", "D103", "D104", "D105", "D106", "D107", "D108",
                           "D109", "D110", "D150", "D151", "D152", "D154", "D155", "X"};
  for (const char* f : formats) {
    cWaypoint w = Eilat();
    w.Smbl = 7;
    const QByteArray full = Codec::Encode_Waypoint(w, f, 35);
    for (int len = 0; len <= full.size(); ++len) {
      SCOPED_TRACE(QString("%1 at %2").arg(f).arg(len).toStdString());
      cWaypoint r;
      r.Ident = "old";
      r.Smbl = 99;
      r.Link = "old";
      Codec::Decode_Waypoint(full.left(len), f, r);
      const QString fmt(f);
      if (fmt == "D103" && len <= 3 + 58) {
        EXPECT_EQ(r.Smbl, 99);
      }  // a byte field stays
      if (fmt == "D109" && len < 3 + 6) {
        EXPECT_EQ(r.Smbl, 0);
      }  // a number reads 0
      if ((fmt == "D109" || fmt == "D110") && len <= 3 + 52) {
        EXPECT_EQ(r.Ident, "old");
      }
      if (fmt == "D106") {
        EXPECT_EQ(r.Link, len <= 3 + 24 + 6 ? "old" : "");
      }
      if (fmt == "D100" && len <= 3) {
        EXPECT_EQ(r.Ident, "");
      }  // spaces, trimmed
    }
  }
  // A D150 record with the proximity size: index, record, distance.
  cWaypoint e = Eilat();
  QByteArray d = Data(Codec::Encode_Waypoint(e, "D150", 35));
  QByteArray prox = Hex("0500") + d + Hex("0000FA43");  // 500.0
  cWaypoint r;
  Codec::Decode_Waypoint(Frame(19, prox), "D150", r);
  EXPECT_EQ(r.Prox_Index, 5);
  EXPECT_EQ(r.Ident, "EILAT");
  EXPECT_EQ(r.Cmnt, "RED SEA");
  EXPECT_EQ(r.Dist, 500.0f);
}

}  // namespace
