#pragma once
// Garmin packets for the tests, the fuzz targets, the simulator and the benchmarks: bytes
// written out, little-endian fields, and whole packets with their checksum.
#include <QByteArray>
#include <QString>
#include <cstring>
#include <initializer_list>
#include <ostream>

#include "garmin/Framing.h"

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

inline QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray out;
  for (int v : values) out.append(char(v));
  return out;
}
inline QByteArray Hex(const char* text) { return QByteArray::fromHex(QByteArray(text)); }
inline QString Spaced_Hex(const QByteArray& bytes) { return QString::fromLatin1(bytes.toHex(' ')); }
inline QByteArray Le16(int v) { return Bytes({v & 0xFF, (v >> 8) & 0xFF}); }
inline QByteArray Le32(qint32 v) {
  return Le16(v & 0xFFFF) + Le16(int((quint32(v) >> 16) & 0xFFFF));
}
inline QByteArray Float_Le(float f) {
  qint32 bits = 0;
  std::memcpy(&bits, &f, 4);
  return Le32(bits);
}
// Degrees as semicircles (2^31 to 180 degrees).
inline qint32 Semi(double deg) { return qint32(deg * 2147483648.0 / 180.0); }
// A D301 track point: position, time (device seconds), altitude, depth, new-segment flag.
inline QByteArray D301(double lat, double lon, qint32 time, float alt) {
  return Le32(Semi(lat)) + Le32(Semi(lon)) + Le32(time) + Float_Le(alt) + Float_Le(0) +
         QByteArray(1, '\0');
}

// The data bytes of a packet, by its size byte.
inline QByteArray Data(const QByteArray& packet) {
  return packet.size() > 2 ? packet.mid(3, quint8(packet.at(2))) : QByteArray();
}
// The unstuffed packet for id and data, checksum in place.
inline QByteArray Packet_Of(quint8 id, const QByteArray& data) {
  QByteArray p(data.size() + 6, '\0');
  p[0] = Framing::DLE;
  p[1] = char(id);
  p[2] = char(quint8(data.size()));
  for (int i = 0; i < data.size(); ++i) p[3 + i] = data[i];
  p[p.size() - 2] = Framing::DLE;
  p[p.size() - 1] = Framing::ETX;
  p[p.size() - 3] = char(Framing::Packet_Checksum(p));
  return p;
}
// The same packet on the wire, stuffed.
inline QByteArray Wire_Of(quint8 id, const QByteArray& data) {
  return Framing::Stuff(Packet_Of(id, data));
}
