#include "garmin/Fields.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "text/Cp1255.h"

namespace Fields {
namespace {

template <typename T>
T Read_At(const QByteArray& packet, int index) {
  T value{};
  if (index < 0 || qsizetype(index) + qsizetype(sizeof(T)) > packet.size()) return T{};
  std::memcpy(&value, packet.constData() + index, sizeof(T));  // the host is little-endian
  return value;
}

template <typename T>
void Put_At(QByteArray& packet, int index, T value) {
  if (index < 0 || qsizetype(index) + qsizetype(sizeof(T)) > packet.size()) return;
  std::memcpy(packet.data() + index, &value, sizeof(T));
}

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the packet layouts are little-endian");

}  // namespace

qint16 Read_Integer_At(const QByteArray& packet, int index) {
  return Read_At<qint16>(packet, index);
}
qint32 Read_Long_At(const QByteArray& packet, int index) { return Read_At<qint32>(packet, index); }
float Read_Single_At(const QByteArray& packet, int index) { return Read_At<float>(packet, index); }
double Read_Double_At(const QByteArray& packet, int index) {
  return Read_At<double>(packet, index);
}

QString Read_String_Field(const QByteArray& packet, int index, int width, bool keep_all) {
  if (width <= 0) return QString();
  QByteArray bytes(width, ' ');
  for (int k = 0; k < width; ++k) {
    qsizetype at = qsizetype(index) + k;
    if (index < 0 || at >= packet.size()) break;
    char c = packet.at(at);
    if (!keep_all && c == '\0') break;
    bytes[k] = c;
  }
  return Cp1255::To_Text(bytes);
}

qint32 Deg_To_Semicircles(double deg) {
  double s =
      std::nearbyint(deg * (2147483648.0 / 180.0));  // the default mode rounds halves to even
  if (!(s < 2147483648.0)) {
    // +180 degrees and beyond wrap to the negative side, where the same meridian lies.
    s = std::fmod(s, 4294967296.0);
    if (s >= 2147483648.0) s -= 4294967296.0;
  }
  if (!(s >= -2147483648.0)) return std::numeric_limits<qint32>::min();
  return qint32(s);
}

double Semicircles_To_Deg(qint32 semicircles) { return semicircles * (180.0 / 2147483648.0); }

void Put_Integer(QByteArray& packet, int index, qint16 value) { Put_At(packet, index, value); }
void Put_Long(QByteArray& packet, int index, qint32 value) { Put_At(packet, index, value); }
void Put_Single(QByteArray& packet, int index, float value) { Put_At(packet, index, value); }
void Put_Byte(QByteArray& packet, int index, qint64 value) {
  if (value < 0 || value > 255) return;
  Put_At(packet, index, quint8(value));
}

}  // namespace Fields
