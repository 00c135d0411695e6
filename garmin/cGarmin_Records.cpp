// The record codecs' entry points: the dispatcher hands received record packets to the
// decoders, and the senders encode the current record and Send it. The layouts are chosen by
// the formats the receiver announced; a sender whose format is unknown sends nothing.
#include "garmin/Codecs.h"
#include "garmin/cGarmin.h"

void cGarmin::Send_Waypoint() {
  QByteArray packet = Codec::Encode_Waypoint(Waypoint, Said_.Waypoint_Data_Format, PID_Wpt_Data());
  if (!packet.isEmpty()) Send(packet, false);
}

void cGarmin::Send_Route_Waypoint() {
  const QString format = Said_.Route_Waypoint_Format();
  QByteArray packet = Codec::Encode_Waypoint(Waypoint, format, PID_Rte_Wpt_Data());
  if (!packet.isEmpty()) Send(packet, false);
}

void cGarmin::Send_Route_Header() {
  QByteArray packet = Codec::Encode_Route_Header(Route, Said_.Route_Data_Format, PID_Rte_Hdr());
  if (!packet.isEmpty()) Send(packet, false);
}

void cGarmin::Send_Route_Link() {
  QByteArray packet = Codec::Encode_Route_Link(Route, PID_Rte_Link());
  if (!packet.isEmpty()) Send(packet, false);
}

void cGarmin::Send_Track_Header() {
  QByteArray packet = Codec::Encode_Track_Header(Track, Said_.Track_Header_Format, PID_Trk_Hdr());
  if (!packet.isEmpty()) Send(packet, false);
}

void cGarmin::Send_Track() {
  QByteArray packet = Codec::Encode_Track(Track, Said_.Track_Point_Type(), PID_Trk_Data());
  if (!packet.isEmpty()) Send(packet, false);
}

void cGarmin::Decode_Waypoint(const QByteArray& packet) {
  const bool route = packet.size() > 1 && quint8(packet.at(1)) == PID_Rte_Wpt_Data();
  const QString format = route ? Said_.Route_Waypoint_Format() : Said_.Waypoint_Data_Format;
  Codec::Decode_Waypoint(packet, format, Waypoint);
}

void cGarmin::Receive_Route_Header(const QByteArray& packet) {
  Codec::Decode_Route_Header(packet, Said_.Route_Data_Format, Route);
}

void cGarmin::Receive_Route_Link(const QByteArray& packet) {
  Codec::Decode_Route_Link(packet, Route);
}

void cGarmin::Receive_Track_Header(const QByteArray& packet) {
  Codec::Decode_Track_Header(packet, Said_.Track_Header_Format, Track);
  emit Track_Received(Track, true, Arrival_);
}

void cGarmin::Receive_Track_Data(const QByteArray& packet) {
  Codec::Decode_Track_Data(packet, Said_.Track_Point_Type(), Track);
  emit Track_Received(Track, false, Arrival_);
}

void cGarmin::Receive_Voltages(const QByteArray& packet) {
  Codec::Decode_Voltages(packet, Voltages);
}

void cGarmin::Receive_Display_Data(const QByteArray& packet) {
  Codec::Decode_Display_Data(packet, Product_Data.Product_ID, Display);
}
