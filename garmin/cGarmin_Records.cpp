// The record codecs' entry points: the dispatcher hands received record packets to the
// decoders, and the senders encode the current record and Send it. The layouts are chosen by
// the formats the receiver announced; a sender whose format is unknown sends nothing.
#include "garmin/Codecs.h"
#include "garmin/cGarmin.h"

namespace {
// Route waypoints go in the route protocol's own waypoint type; a receiver that names none
// takes its plain waypoint type.
QString Route_Waypoint_Format(const QString& route_wpt, const QString& wpt) {
  return route_wpt.isEmpty() ? wpt : route_wpt;
}
}  // namespace

void cGarmin::Send_Waypoint() {
  QByteArray packet = Codec::Encode_Waypoint(Waypoint, Waypoint_Data_Format_, PID_Wpt_Data());
  if (!packet.isEmpty()) Send(packet, false);
}

void cGarmin::Send_Route_Waypoint() {
  const QString format = Route_Waypoint_Format(Route_Wpt_Data_Format_, Waypoint_Data_Format_);
  QByteArray packet = Codec::Encode_Waypoint(Waypoint, format, PID_Rte_Wpt_Data());
  if (!packet.isEmpty()) Send(packet, false);
}

void cGarmin::Send_Route_Header() {
  QByteArray packet = Codec::Encode_Route_Header(Route, Route_Data_Format_, PID_Rte_Hdr());
  if (!packet.isEmpty()) Send(packet, false);
}

void cGarmin::Send_Route_Link() {
  QByteArray packet = Codec::Encode_Route_Link(Route, PID_Rte_Link());
  if (!packet.isEmpty()) Send(packet, false);
}

void cGarmin::Send_Track_Header() {
  QByteArray packet = Codec::Encode_Track_Header(Track, Track_Header_Format_, PID_Trk_Hdr());
  if (!packet.isEmpty()) Send(packet, false);
}

void cGarmin::Send_Track() {
  const QString format = Track_Point_Format_.isEmpty() ? Track_Data_Format_ : Track_Point_Format_;
  QByteArray packet = Codec::Encode_Track(Track, format, PID_Trk_Data());
  if (!packet.isEmpty()) Send(packet, false);
}

void cGarmin::Decode_Waypoint(const QByteArray& packet) {
  const bool route = packet.size() > 1 && quint8(packet.at(1)) == PID_Rte_Wpt_Data();
  const QString format = route
                             ? Route_Waypoint_Format(Route_Wpt_Data_Format_, Waypoint_Data_Format_)
                             : Waypoint_Data_Format_;
  Codec::Decode_Waypoint(packet, format, Waypoint);
}

void cGarmin::Receive_Route_Header(const QByteArray& packet) {
  Codec::Decode_Route_Header(packet, Route_Data_Format_, Route);
}

void cGarmin::Receive_Route_Link(const QByteArray& packet) {
  Codec::Decode_Route_Link(packet, Route);
}

void cGarmin::Receive_Track_Header(const QByteArray& packet) {
  Codec::Decode_Track_Header(packet, Track_Header_Format_, Track);
}

void cGarmin::Receive_Track_Data(const QByteArray& packet) {
  const QString format = Track_Point_Format_.isEmpty() ? Track_Data_Format_ : Track_Point_Format_;
  Codec::Decode_Track_Data(packet, format, Track);
}

void cGarmin::Receive_Voltages(const QByteArray& packet) {
  Codec::Decode_Voltages(packet, Voltages);
}

void cGarmin::Receive_Display_Data(const QByteArray& packet) {
  Codec::Decode_Display_Data(packet, Product_Data.Product_ID, Display);
}
