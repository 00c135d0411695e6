#include "garmin/Codecs.h"

namespace Codec {

void Decode_Voltages(const QByteArray&, cVoltages&) {}
void Decode_Display_Data(const QByteArray&, qint16, cDisplay&) {}

}  // namespace Codec
