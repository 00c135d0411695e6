#include "garmin/Codecs.h"

namespace Codec {

QString Format_Garmin_Time(qint32, qint16) { return QString(); }
qint32 Parse_Garmin_Time(const QString&, qint16) { return 0; }
void Date_From_Days(qint32, qint16& month, qint16& day, qint16& year) { month = day = year = 0; }
qint32 Days_From_Date(qint16, qint16, qint16) { return 0; }

}  // namespace Codec
