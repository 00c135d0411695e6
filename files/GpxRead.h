#pragma once
// GPX 1.0 and 1.1 in: the file's routes, its tracks with their segments, and its waypoints,
// read with Expat (a streaming parser several times faster than QXmlStreamReader on a long
// track) from bytes in the encoding the XML declaration names. Elements of other namespaces
// and elements this reader does not use are skipped. A document with a DTD is refused: no
// entity is ever expanded, and no file but the one given is ever opened. A UTF-8 byte order
// mark makes the file UTF-8 whatever it declares.
#include <QByteArray>
#include <QString>
#include <QVector>
#include <memory>

#include "files/LoadResult.h"
#include "points/cVQPoint.h"
#include "points/cVQStore.h"

// One route, one track or the file's waypoints. The points keep the file's texts: Label is
// the trimmed name and Comment the cmt, else the desc (both may be empty); Time is UTC; alt
// is NaN without an <ele>; New_Segment marks the first point of each track segment.
// The points are kept as the list keeps them (points/cVQStore.h), so that a long track read
// from a file costs a small record a point; an unnamed point is numbered there by its place in
// the part, and one without a comment has its time's text, both made when asked for.
class cGpxPoints {
 public:
  qsizetype size() const { return qsizetype(m_store.recs.size()); }
  bool isEmpty() const { return m_store.recs.empty(); }
  // The point as the file gives it (an empty label and comment where the file has none).
  cVQPoint operator[](qsizetype i) const;
  void append(cVQPoint&& p);
  const cVQStore& Store() const { return m_store; }

  class const_iterator {
   public:
    const_iterator(const cGpxPoints* points, qsizetype i) : m_points(points), m_i(i) {}
    cVQPoint operator*() const { return (*m_points)[m_i]; }
    const_iterator& operator++() {
      ++m_i;
      return *this;
    }
    bool operator!=(const const_iterator& o) const { return m_i != o.m_i; }

   private:
    const cGpxPoints* m_points;
    qsizetype m_i;
  };
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

 private:
  cVQStore m_store;
};

struct cGpxPart {
  QString name;
  cGpxPoints points;
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

// The same read in pieces, as a file is read, so that a long file is never whole in memory:
// Feed the pieces in order (false once the content has a fault), then Finish once.
class cGpxReader {
 public:
  cGpxReader();
  ~cGpxReader();
  cGpxReader(const cGpxReader&) = delete;
  cGpxReader& operator=(const cGpxReader&) = delete;
  bool Feed(const char* data, qsizetype size);
  cGpxContent Finish();

 private:
  struct cImpl;
  std::unique_ptr<cImpl> d;
};

// The parts a list can come from, in the order they are offered and the first the one taken
// without asking: the routes with points, then the tracks with points, then the waypoints.
// Waypoints that are exactly the
// points of the file's one route (as VQ writes a list) are that route, not a part of their own.
QVector<cChoice> Gpx_Choices(const cGpxContent& content);
// The points of a pick; nullptr when the file has no such part or it has no points. The
// waypoints can be picked whenever there are some. Not const, so that a caller can
// move the points out.
cGpxPart* Gpx_Part(cGpxContent& content, const cPick& pick);
