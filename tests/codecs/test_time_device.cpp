#include <gtest/gtest.h>

#include <QDate>
#include <limits>

#include "garmin/Codecs.h"
#include "tests/doubles/Packets.h"

namespace {

TEST(DeviceTime, Examples) {
  const struct {
    qint32 seconds;
    qint16 hours;
    const char* text;
  } cases[] = {{0, 0, "1989/12/31-00:00:00"},         {86399, 0, "1989/12/31-23:59:59"},
               {86400, 0, "1990/01/01-00:00:00"},     {479721909, 0, "2005/03/14-08:05:09"},
               {479721909, 2, "2005/03/14-10:05:09"}, {-1, 0, "1989/12/31-00:00:01"}};
  for (const auto& c : cases) EXPECT_EQ(Codec::Format_Garmin_Time(c.seconds, c.hours), c.text);
  EXPECT_EQ(Codec::Parse_Garmin_Time("1980/06/01-01:02:03", 1), 3723 - 3600);
  EXPECT_EQ(Codec::Parse_Garmin_Time("", 0), 0);
  EXPECT_EQ(Codec::Days_From_Date(12, 30, 1989), 0);  // before the epoch: day 0
  qint16 m, d, y;
  Codec::Date_From_Days(21975, m, d, y);  // past the range the rounding holds
  EXPECT_EQ(QDate(y, m, d), QDate(2050, 3, 2));
  // Days whose year does not fit 16 bits hold the year at the end of the range (found by
  // fuzzing: the conversion wrapped, undefined in C++).
  Codec::Date_From_Days(-16777216, m, d, y);
  EXPECT_EQ(y, -32768);
  Codec::Date_From_Days(std::numeric_limits<qint32>::max(), m, d, y);
  EXPECT_EQ(y, 32767);
  EXPECT_GE(Codec::Days_From_Date(m, d, y), 0);
}

// Every day from 1989-12-31 to 2050-02-28 is the Gregorian date, both ways, and a time goes
// through its text and back unchanged.
TEST(DeviceTime, GregorianUpTo2050) {
  const QDate epoch(1989, 12, 31);
  for (qint32 days = 0; days <= 21974; ++days) {
    qint16 m = 0, d = 0, y = 0;
    Codec::Date_From_Days(days, m, d, y);
    ASSERT_EQ(QDate(y, m, d), epoch.addDays(days)) << days;
    ASSERT_EQ(Codec::Days_From_Date(m, d, y), days);
    const qint32 t = days * 86400 + (days * 7919) % 86400;
    ASSERT_EQ(Codec::Parse_Garmin_Time(Codec::Format_Garmin_Time(t, 0), 0), t);
  }
  EXPECT_EQ(Codec::Format_Garmin_Time(21974 * 86400 + 86399, 0), "2050/02/28-23:59:59");
}

TEST(DeviceReports, VoltagesAndDisplay) {
  cVoltages v;
  Codec::Decode_Voltages(Packet_Of(40, Hex("2C019001")), v);
  EXPECT_EQ(QList<float>({v.Internal_Voltage, v.External_Voltage}), QList<float>({3, 4}));
  Codec::Decode_Voltages(Packet_Of(40, Hex("2C")).left(4), v);
  EXPECT_EQ(QList<float>({v.Internal_Voltage, v.External_Voltage}), QList<float>({0, 0}));

  cDisplay d;
  const QByteArray report = Packet_Of(69, Hex("0000 0100 0200 0300 0400 FF"));
  Codec::Decode_Display_Data(report, 96, d);
  EXPECT_EQ(QList<int>({d.Line_Length, d.Display_Lines, d.Pixels, d.Record_Length, d.First_Byte,
                        d.Bits_Per_Pixel, d.Unknown3}),
            QList<int>({64, 100, 8, 21, 9, 1, 4}));
  EXPECT_EQ(d.packet.toLatin1(), report);  // every byte kept, NULs and 0xFF included
  // Record type 1 changes only the type and the frame text.
  cDisplay other = d;
  const QByteArray type1 = Packet_Of(69, Hex("0100 0900 0900"));
  Codec::Decode_Display_Data(type1, 177, other);
  EXPECT_EQ(other.Record_Type, 1);
  EXPECT_EQ(other.Line_Length, 64);
  EXPECT_EQ(other.Unknown0, 1);
  EXPECT_EQ(other.packet.toLatin1(), type1);
  Codec::Decode_Display_Data(Packet_Of(69, Hex("0000")).left(6), 177, other);
  EXPECT_EQ(other.Line_Length, 180);
  EXPECT_EQ(other.Unknown0, 0);  // beyond the short report
}

}  // namespace
