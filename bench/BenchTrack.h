#pragma once
// The long GPX track the benchmarks read: a walk from Jerusalem northwards, one point a second
// with elevation and time, in segments of 10,000 points, as a receiver records one.
#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>

namespace BenchTrack {
constexpr int kPoints = 200000;

inline QByteArray Make_Track(int n) {
  QByteArray out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" version=\"1.1\" creator=\"bench\">\n"
      " <trk>\n  <name>Long walk</name>\n  <trkseg>\n";
  QDateTime t(QDate(2024, 3, 14), QTime(6, 0), QTimeZone::utc());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && i % 10000 == 0) out += "  </trkseg>\n  <trkseg>\n";
    out += "   <trkpt lat=\"" + QByteArray::number(31.7767 + i * 1.3e-5, 'f', 9) + "\" lon=\"" +
           QByteArray::number(35.2345 + (i % 977) * 1.1e-5, 'f', 9) + "\"><ele>" +
           QByteArray::number(754.2 + (i % 300) * 0.1, 'f', 1) + "</ele><time>" +
           t.addSecs(i).toString(Qt::ISODate).toLatin1() + "</time></trkpt>\n";
  }
  return out + "  </trkseg>\n </trk>\n</gpx>\n";
}

inline const QByteArray& Track() {
  static const QByteArray track = Make_Track(kPoints);
  return track;
}
}  // namespace BenchTrack
