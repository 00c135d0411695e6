#include "garmin/codecs/Layout.h"

#include <cmath>

#include "garmin/Fields.h"
#include "text/Cp1255.h"

namespace Layout {

QByteArray New_Packet(quint8 pid, int n) {
  if (n < 0 || n > kMax_Data) return QByteArray();
  QByteArray packet(n + 6, '\0');
  packet[1] = char(pid);
  packet[2] = char(quint8(n));
  return packet;
}

int Data_Size(const QByteArray& packet) { return packet.size() > 2 ? quint8(packet.at(2)) : 0; }

int Data_End(const QByteArray& packet) {
  return int(qMin<qsizetype>(kHead + Data_Size(packet), packet.size()));
}

QByteArray Fixed_Bytes(const QString& text, int width, bool upper) {
  QByteArray bytes = Cp1255::From_Text(upper ? text.toUpper() : text);
  bytes = bytes.left(width);
  if (bytes.size() < width) bytes.append(QByteArray(width - bytes.size(), ' '));
  return bytes;
}

QByteArray Variable_Bytes(const QString& text, bool upper) {
  QByteArray bytes = Cp1255::From_Text(upper ? text.toUpper() : text);
  bytes.replace('\0', QByteArray());
  return bytes;
}

void Fit_Texts(QVector<QByteArray>& texts, int room) {
  int used = 0;
  for (const QByteArray& t : texts) used += int(t.size()) + 1;
  for (int i = int(texts.size()) - 1; i >= 0 && used > room; --i) {
    int cut = qMin(int(texts[i].size()), used - room);
    texts[i].chop(cut);
    used -= cut;
  }
}

int Put_Bytes(QByteArray& packet, int offset, const QByteArray& bytes) {
  int at = kHead + offset;
  for (int k = 0; k < bytes.size(); ++k, ++at)
    if (at >= 0 && at < packet.size()) packet[at] = bytes.at(k);
  return offset + int(bytes.size());
}

void Put_Texts(QByteArray& packet, int offset, const QVector<QByteArray>& texts) {
  for (const QByteArray& t : texts) offset = Put_Bytes(packet, offset, t) + 1;  // NUL is there
}

bool Read_Byte(const QByteArray& packet, int offset, quint8& value) {
  int at = kHead + offset;
  if (offset < 0 || at >= packet.size()) return false;
  value = quint8(packet.at(at));
  return true;
}

QStringList Read_Texts(const QByteArray& packet, int offset) {
  QStringList texts;
  int at = kHead + offset;
  const int end = Data_End(packet);
  while (at < end) {
    int nul = int(packet.indexOf('\0', at));
    int stop = (nul < 0 || nul > end) ? end : nul;
    texts << Cp1255::To_Text(packet.mid(at, stop - at));
    at = stop + 1;
  }
  return texts;
}

QString Read_Fixed(const QByteArray& packet, int offset, int width) {
  return Trim_Spaces(Fields::Read_String_Field(packet, kHead + offset, width, false));
}

QString Raw_Text(const QByteArray& bytes) { return QString::fromLatin1(bytes); }

QByteArray Raw_Bytes(const QString& text, int width) {
  QByteArray bytes = text.left(width).toLatin1();
  if (bytes.size() < width) bytes.append(QByteArray(width - bytes.size(), ' '));
  return bytes;
}

QString Trim_Spaces(const QString& text) {
  int from = 0, to = int(text.size());
  while (from < to && text.at(from) == QLatin1Char(' ')) ++from;
  while (to > from && text.at(to - 1) == QLatin1Char(' ')) --to;
  return text.mid(from, to - from);
}

QString Trim_Null(const QString& text) {
  QString t = Trim_Spaces(text);
  int nul = int(t.indexOf(QChar(0)));
  return nul < 0 ? t : t.left(nul);
}

void Put_Rounded_Integer(QByteArray& packet, int offset, double value) {
  double r = std::nearbyint(value);
  if (!(r >= -32768.0 && r <= 32767.0)) return;
  Fields::Put_Integer(packet, kHead + offset, qint16(r));
}

}  // namespace Layout
