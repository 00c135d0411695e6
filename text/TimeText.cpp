#include "text/TimeText.h"

#include <QTimeZone>
#include <cstdio>

namespace {
// The computer's zone, looked up again only when TZ changes: asking the system for it reads
// files, and a long track asks once per point.
const QTimeZone& System_Zone() {
  static QByteArray tz = qgetenv("TZ");
  static QTimeZone zone = QTimeZone::systemTimeZone();
  const QByteArray now = qgetenv("TZ");
  if (now != tz) {
    tz = now;
    zone = QTimeZone::systemTimeZone();
  }
  return zone;
}
}  // namespace

QString Local_Time_Text(const QDateTime& utc) { return Local_Time_Text(utc, System_Zone()); }

QString Local_Time_Text(const QDateTime& utc, const QTimeZone& zone) {
  if (!utc.isValid()) return {};
  const QDateTime local = utc.toTimeZone(zone);
  const QDate d = local.date();
  const QTime t = local.time();
  char text[40];
  const int n = std::snprintf(text, sizeof text, "%04d/%02d/%02d-%02d:%02d:%02d", d.year(),
                              d.month(), d.day(), t.hour(), t.minute(), t.second());
  return QString::fromLatin1(text, n);
}

QDateTime Utc_From_Time_Text(const QString& text) {
  // Read by hand: QDateTime::fromString with a format costs tens of microseconds, and a track
  // download reads one time per point.
  if (text.size() != 19) return {};
  int field[6] = {};
  const int start[6] = {0, 5, 8, 11, 14, 17}, width[6] = {4, 2, 2, 2, 2, 2};
  const char sep[5] = {'/', '/', '-', ':', ':'};
  for (int f = 0; f < 6; ++f) {
    if (f > 0 && text[start[f] - 1] != QLatin1Char(sep[f - 1])) return {};
    for (int i = start[f]; i < start[f] + width[f]; ++i) {
      const int digit = text[i].unicode() - '0';
      if (digit < 0 || digit > 9) return {};
      field[f] = field[f] * 10 + digit;
    }
  }
  const QDate date(field[0], field[1], field[2]);
  const QTime time(field[3], field[4], field[5]);
  if (!date.isValid() || !time.isValid()) return {};
  return QDateTime(date, time, QTimeZone::utc());
}
