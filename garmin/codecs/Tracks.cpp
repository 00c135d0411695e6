#include "garmin/Codecs.h"

namespace Codec {

QByteArray Encode_Track_Header(const cTrack&, const QString&, quint8) { return QByteArray(); }
void Decode_Track_Header(const QByteArray&, const QString&, cTrack&) {}
QByteArray Encode_Track(const cTrack&, const QString&, quint8) { return QByteArray(); }
void Decode_Track_Data(const QByteArray&, const QString&, cTrack&) {}

}  // namespace Codec
