#pragma once
// The record codecs: pure functions between the driver's record objects and packets. A packet
// is the zero-based unstuffed frame (0 DLE, 1 id, 2 size n, 3..3+n-1 data, then checksum, DLE
// and ETX); an encoder returns one of n + 6 elements with the id and size filled in and the
// checksum, DLE and ETX positions left for Send. An encoder returns an empty array when it does
// not know the format, and the driver then sends nothing. A decoder never reads outside the
// packet: a field beyond its end leaves the target as it was, or reads 0 where a number is due.
#include <QByteArray>
#include <QString>

#include "garmin/Records.h"

namespace Codec {

// The receiver's default subclass: six bytes 0 followed by twelve bytes 0xFF.
QByteArray Default_Subclass();

// Waypoints in D100..D110, D150..D155 (format names "D100" ...). An unknown name is handled as
// D100's 58-byte prefix. Sending D109/D110 with Smbl 0 writes 18 back into the record. Texts that
// would take the record past 255 data bytes are cut, the last text first. A D150 record of 121
// bytes is a proximity record: index word, the D150 record, then the distance.
QByteArray Encode_Waypoint(cWaypoint& wpt, const QString& format, quint8 pid);
void Decode_Waypoint(const QByteArray& packet, const QString& format, cWaypoint& wpt);

// Route headers in D200, D201, D202; an identifier is cut to the 254 bytes the size allows.
QByteArray Encode_Route_Header(const cRoute& route, const QString& format, quint8 pid);
void Decode_Route_Header(const QByteArray& packet, const QString& format, cRoute& route);
// Route links (the one layout of D210).
QByteArray Encode_Route_Link(const cRoute& route, quint8 pid);
void Decode_Route_Link(const QByteArray& packet, cRoute& route);

// Track headers by the announced header type ("D310", "D311", "D312"); an empty name means the
// receiver sends no headers. D311 carries only the track index and is never sent.
QByteArray Encode_Track_Header(const cTrack& track, const QString& header_format, quint8 pid);
void Decode_Track_Header(const QByteArray& packet, const QString& header_format, cTrack& track);
// Track points by the announced point type ("D300" ... "D304"; "D310" reads as D301). The
// fitness layouts D303 and D304 are received only; D302 is sent with an unknown temperature.
QByteArray Encode_Track(const cTrack& track, const QString& point_format, quint8 pid);
void Decode_Track_Data(const QByteArray& packet, const QString& point_format, cTrack& track);

// Device time: signed seconds since 1989-12-31 00:00:00, as text YYYY/MM/DD-HH:MM:SS. A text
// whose time does not fit 32 bits parses as -1, the device's "no time".
QString Format_Garmin_Time(qint32 seconds, qint16 hours);
qint32 Parse_Garmin_Time(const QString& text, qint16 hours);
void Date_From_Days(qint32 days, qint16& month, qint16& day, qint16& year);
qint32 Days_From_Date(qint16 month, qint16 day, qint16 year);

void Decode_Voltages(const QByteArray& packet, cVoltages& voltages);
void Decode_Display_Data(const QByteArray& packet, qint16 product_id, cDisplay& display);

}  // namespace Codec
