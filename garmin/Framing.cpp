#include "garmin/Framing.h"

namespace Framing {

int Find_Frame_End(const QByteArray& buffer) {
  int run = 0;  // length of the run of 0x10 that ends at the current byte
  for (int i = 0; i < buffer.size(); ++i) {
    const char c = buffer[i];
    if (c == ETX && run % 2 == 1) return i;
    run = (c == DLE) ? run + 1 : 0;
  }
  return -1;
}

int Frame_Start(const QByteArray& text) {
  int first = -1;
  for (int i = 0; i + 1 < text.size(); ++i) {
    // A frame begins with DLE and an id; a doubled DLE or DLE ETX cannot begin one.
    if (text[i] != DLE || text[i + 1] == DLE || text[i + 1] == ETX) continue;
    if (first < 0) first = i;
    const QByteArray p = Unstuff(text.mid(i));
    if (p.size() >= 6 && quint8(p[2]) == p.size() - 6 &&
        Packet_Checksum(p) == quint8(p[p.size() - 3]))
      return i;
  }
  return first;
}

QByteArray Unstuff(const QByteArray& wire) {
  QByteArray out;
  out.reserve(wire.size());
  bool pending = false;
  for (char c : wire) {
    if (c != DLE) {
      out.append(c);
      pending = false;
    } else if (!pending) {
      out.append(c);
      pending = true;
    } else {
      pending = false;
    }
  }
  return out;
}

QByteArray Stuff(const QByteArray& packet) {
  QByteArray wire;
  if (packet.size() < 2) return wire;
  wire.reserve(packet.size() * 2);
  wire.append(DLE).append(packet[1]);
  // From the size byte through the checksum (the last three elements are checksum, DLE, ETX).
  for (int i = 2; i <= packet.size() - 3; ++i) {
    wire.append(packet[i]);
    if (packet[i] == DLE) wire.append(DLE);
  }
  wire.append(DLE).append(ETX);
  return wire;
}

quint8 Packet_Checksum(const QByteArray& packet) {
  if (packet.size() < 3) return 0;
  unsigned sum = quint8(packet[1]) + quint8(packet[2]);
  const int size = quint8(packet[2]);
  for (int i = 3; i < 3 + size && i <= packet.size() - 4; ++i) sum += quint8(packet[i]);
  return quint8((256 - sum % 256) % 256);
}

QString NMEA_Checksum(const QString& msg) {
  const QString text = msg + QLatin1Char('*');
  const int star = text.indexOf(QLatin1Char('*'));
  unsigned x = 0;
  for (int i = 1; i < star; ++i) x ^= text[i].unicode() & 0xFF;
  return QStringLiteral("%1").arg(x, 2, 16, QLatin1Char('0')).toUpper();
}

QString Hex_Trace(const QByteArray& bytes, const QString& direction) {
  QString line = direction == QLatin1String("I") ? QStringLiteral("PC \u00AB- GPS ")
                                                 : QStringLiteral("PC -\u00BB GPS ");
  line.reserve(line.size() + bytes.size() * 3);
  for (char c : bytes)
    line += QStringLiteral("%1 ").arg(quint8(c), 2, 16, QLatin1Char('0')).toUpper();
  return line;
}

QByteArray Two_Byte_Packet(quint8 pid, quint8 byte0, quint8 byte1) {
  QByteArray p(8, '\0');
  p[0] = DLE;
  p[1] = char(pid);
  p[2] = 2;
  p[3] = char(byte0);
  p[4] = char(byte1);
  p[6] = DLE;
  p[7] = ETX;
  return p;
}

}  // namespace Framing
