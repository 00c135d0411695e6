#pragma once
// How cVQPoints keeps its points: one small record a point, and the texts that files and users
// gave in a table beside them. A track point read without a name or comment has none: its
// label is its number and its comment the local time of its time, made when asked for, so a
// track of 200,000 points costs 48 bytes a point, not a point object with two texts.
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <limits>
#include <vector>

#include "points/cVQPoint.h"

struct cVQRec {
  static constexpr qint64 kNo_Time = std::numeric_limits<qint64>::min();
  // For comment: no text, or the local time of time_ms.
  static constexpr qint32 kNo_Text = -1, kTime_Text = -2;

  double lat = 0, lon = 0, alt = 0;
  qint64 time_ms = kNo_Time;  // UTC, milliseconds since 1970
  qint32 label = 0;           // >= 0: index in the texts; < 0: the number -label
  qint32 comment = kNo_Text;  // >= 0: index in the texts
  bool new_segment = false;
};

struct cVQStore {
  std::vector<cVQRec> recs;
  std::vector<QString> texts;

  QString Label(const cVQRec& r) const;
  QString Comment(const cVQRec& r) const;
  QDateTime Time(const cVQRec& r) const;
  cVQPoint Point(const cVQRec& r) const;
  // The record of a point; its texts go to the table. A number above 0 marks a point read from
  // a file: an empty label is that number, an empty comment the local time of its time.
  cVQRec Record(cVQPoint&& p, int number = 0);
};
