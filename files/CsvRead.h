#pragma once
// VQ's own CSV export read back: the header "LABEL,LAT,LON,ALTITUDE,DISTANCE,TOTALDISTANCE,
// COMMENT", then one line per point, fields joined by "," without quoting. VQ writes it in
// Windows-1255; a copy an editor or a spreadsheet saved again as UTF-8 (with a byte order mark,
// or valid UTF-8 with letters beyond ASCII) is read as UTF-8.
#include <QByteArray>
#include <QString>
#include <QVector>

#include "points/cVQPoint.h"

struct cCsvContent {
  QVector<cVQPoint> points;
  QString error;  // empty when the file was read
  qint64 line = 0;
};

// Pure: bytes in, points out. A label or comment may hold commas, as the export writes them
// unchanged: the label ends where five numbers follow that agree with the leg and total
// distances the export wrote.
cCsvContent Parse_CSV(const QByteArray& bytes);
