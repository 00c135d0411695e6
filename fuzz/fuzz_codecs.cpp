// The record decoders on arbitrary packets, each followed by encoding what was decoded: the
// first byte picks the decoder, the rest is the whole unstuffed packet, so its size byte may
// lie about its length. Encoded packets must carry a size byte that agrees with their data.
#include <QString>
#include <QStringList>

#include "FuzzSupport.h"
#include "garmin/Codecs.h"

namespace {
// A packet an encoder made: DLE, id, size n, n data bytes, checksum, DLE, ETX.
void Check_Encoded(const QByteArray& packet) {
  if (!packet.isEmpty() &&
      (packet.size() < 6 || packet.size() > 261 || uint8_t(packet[2]) != packet.size() - 6))
    Fuzz::Broken("encoded packet size disagrees with the data");
}

const QStringList kWaypointFormats = {"D100", "D101", "D102", "D103", "D104", "D105",
                                      "D106", "D107", "D108", "D109", "D110", "D150",
                                      "D151", "D152", "D154", "D155", "D999"};
const QStringList kRouteFormats = {"D200", "D201", "D202"};
const QStringList kTrackHeaderFormats = {"D310", "D311", "D312"};
const QStringList kTrackPointFormats = {"D300", "D301", "D302", "D303", "D304", "D310"};

void Waypoint(const QByteArray& packet, const QString& format) {
  cWaypoint wpt;
  Codec::Decode_Waypoint(packet, format, wpt);
  Check_Encoded(Codec::Encode_Waypoint(wpt, format, 35));
}

void Route(const QByteArray& packet, const QString& format) {
  cRoute route;
  Codec::Decode_Route_Header(packet, format, route);
  Codec::Decode_Route_Link(packet, route);
  Check_Encoded(Codec::Encode_Route_Header(route, format, 29));
  Check_Encoded(Codec::Encode_Route_Link(route, 98));
}

void Track_Header(const QByteArray& packet, const QString& format) {
  cTrack track;
  Codec::Decode_Track_Header(packet, format, track);
  Check_Encoded(Codec::Encode_Track_Header(track, format, 99));
}

void Track_Point(const QByteArray& packet, const QString& format) {
  cTrack track;
  Codec::Decode_Track_Data(packet, format, track);
  Check_Encoded(Codec::Encode_Track(track, format, 34));
  // What the decoder made of the time must survive the trip back to seconds.
  Codec::Parse_Garmin_Time(track.Time, 0);
}

void Device(const QByteArray& packet, uint8_t which) {
  cVoltages voltages;
  cDisplay display;
  if (which % 2 == 0) return Codec::Decode_Voltages(packet, voltages);
  const qint16 product =
      packet.size() > 1 ? qint16(uint8_t(packet[0]) | uint8_t(packet[1]) << 8) : 0;
  Codec::Decode_Display_Data(packet, product, display);
}

void Time(Fuzz::cInput& in) {
  qint32 seconds = 0;
  for (int i = 0; i < 4; ++i) seconds = qint32(quint32(seconds) << 8 | in.Byte());
  const qint16 hours = qint16(qint8(in.Byte()));
  const QString text = Codec::Format_Garmin_Time(seconds, hours);
  Codec::Parse_Garmin_Time(text, hours);
  Codec::Parse_Garmin_Time(QString::fromLatin1(in.Rest()), hours);
  qint16 month = 0, day = 0, year = 0;
  Codec::Date_From_Days(seconds, month, day, year);
  Codec::Days_From_Date(month, day, year);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz::App();
  Fuzz::cInput in(data, size);
  const uint8_t pick = in.Byte();
  if (pick == 0xFF) {
    Time(in);
    return 0;
  }
  const QByteArray packet = in.Rest();
  int n = pick % 32;
  if (n < kWaypointFormats.size()) return Waypoint(packet, kWaypointFormats[n]), 0;
  n -= int(kWaypointFormats.size());
  if (n < kRouteFormats.size()) return Route(packet, kRouteFormats[n]), 0;
  n -= int(kRouteFormats.size());
  if (n < kTrackHeaderFormats.size()) return Track_Header(packet, kTrackHeaderFormats[n]), 0;
  n -= int(kTrackHeaderFormats.size());
  if (n < kTrackPointFormats.size()) return Track_Point(packet, kTrackPointFormats[n]), 0;
  Device(packet, pick);
  return 0;
}
