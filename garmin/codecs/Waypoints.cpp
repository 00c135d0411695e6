#include "garmin/Codecs.h"

namespace Codec {

QByteArray Default_Subclass() { return QByteArray(6, '\0') + QByteArray(12, '\xFF'); }

QByteArray Encode_Waypoint(cWaypoint&, const QString&, quint8) { return QByteArray(); }
void Decode_Waypoint(const QByteArray&, const QString&, cWaypoint&) {}

}  // namespace Codec
