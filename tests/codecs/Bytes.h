#pragma once
// Byte helpers for the codec tests: packets written out as hex text.
#include <QByteArray>
#include <QString>
#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace TestBytes {
inline QByteArray Hex(const char* text) { return QByteArray::fromHex(QByteArray(text)); }
// The data bytes of a packet, by its size byte.
inline QByteArray Data(const QByteArray& packet) {
  return packet.size() > 2 ? packet.mid(3, quint8(packet.at(2))) : QByteArray();
}
// A received frame around `data`: DLE, id, size, data, checksum, DLE, ETX.
inline QByteArray Frame(quint8 pid, const QByteArray& data) {
  QByteArray p(3, '\x10');
  p[1] = char(pid);
  p[2] = char(quint8(data.size()));
  return p + data + QByteArray("\x00\x10\x03", 3);
}
inline QString Spaced_Hex(const QByteArray& bytes) { return QString::fromLatin1(bytes.toHex(' ')); }
}  // namespace TestBytes
