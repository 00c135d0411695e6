#include "garmin/Codecs.h"

namespace Codec {

QByteArray Encode_Route_Header(const cRoute&, const QString&, quint8) { return QByteArray(); }
void Decode_Route_Header(const QByteArray&, const QString&, cRoute&) {}
QByteArray Encode_Route_Link(const cRoute&, quint8) { return QByteArray(); }
void Decode_Route_Link(const QByteArray&, cRoute&) {}

}  // namespace Codec
