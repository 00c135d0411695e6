#pragma once
// The Turbo CD waypoint file (.twl), read only: a 21-byte header, then records of a
// length-prefixed label, a 22-byte position block (grid easting, northing and altitude in
// whole metres), a length-prefixed comment and a 50-byte trailer that the last record may
// have shortened or left out.
#include <QByteArray>
#include <QString>
#include <QVector>

#include "files/LoadResult.h"

class cVQPoints;

struct cTwlRecord {
  QString Label;
  qint32 E = 0;
  qint32 N = 0;
  qint32 Alt = 0;
  QString Comment;
};

struct cTwlContent {
  QVector<cTwlRecord> records;
  bool cut = false;  // the last record was cut short by the end of the file and is dropped
};

// Pure: bytes in, records out. Text bytes are Windows-1255.
cTwlContent Parse_TWL(const QByteArray& bytes);

// True when the last four characters, upper-cased, are ".TWL".
bool Is_TWL_Name(const QString& path);
// The part after the last folder separator; a bare name whole.
QString Path_To_Name(const QString& path);

// Reads the whole file first; only when that succeeds are the points replaced (Clear, then Add
// with the grid converted to latitude/longitude, through PROJ when the collection's datum option
// is on) and redisplayed. A file that cannot be read
// leaves the points as they were.
cLoadResult Load_TWL_File(const QString& path, cVQPoints& points);
// The same from bytes already read: the points are replaced by the records of `bytes`.
cLoadResult Load_TWL_Bytes(const QByteArray& bytes, cVQPoints& points);
