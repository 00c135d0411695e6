#pragma once
// GPX 1.0 and 1.1 in: the file's routes, its tracks with their segments, and its waypoints,
// read with QXmlStreamReader from bytes in the encoding the XML declaration names. Elements
// of other namespaces and elements this reader does not use are skipped. A document with a
// DTD is refused: Qt's reader would leave an external entity silently empty, and no file but
// the one given is ever opened. A UTF-8 byte order mark makes the file UTF-8 whatever it
// declares.
#include <QByteArray>
#include <QString>
#include <QVector>

#include "files/LoadResult.h"
#include "points/cVQPoint.h"

// One route, one track or the file's waypoints. The points keep the file's texts: Label is
// the trimmed name and Comment the cmt, else the desc (both may be empty); Time is UTC; alt
// is NaN without an <ele>; New_Segment marks the first point of each track segment.
struct cGpxPart {
  QString name;
  QVector<cVQPoint> points;
};

struct cGpxContent {
  enum Fault { None, Malformed, Not_Gpx, Bad_Point, Declares_Entities };
  Fault fault = None;
  QString error;  // English, with what was found
  qint64 line = 0;
  QVector<cGpxPart> routes;
  QVector<cGpxPart> tracks;
  cGpxPart waypoints;
};

// Pure: bytes in, parts out. Nothing is kept of a file with a fault but the fault.
cGpxContent Parse_GPX(const QByteArray& bytes);

// The parts a list can come from, in the order they are offered and the first the one taken
// without asking: the routes with points, then the tracks with points, then the waypoints.
// Waypoints that are exactly the
// points of the file's one route (as VQ writes a list) are that route, not a part of their own.
QVector<cChoice> Gpx_Choices(const cGpxContent& content);
// The points of a pick; nullptr when the file has no such part or it has no points. The
// waypoints can be picked whenever there are some. Not const, so that a caller can
// move the points out.
cGpxPart* Gpx_Part(cGpxContent& content, const cPick& pick);
