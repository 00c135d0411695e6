#include "text/TimeText.h"

#include <QTimeZone>
#include <cstdio>

namespace {
const QString kForm = QStringLiteral("yyyy/MM/dd-HH:mm:ss");

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
  QDateTime t = QDateTime::fromString(text, kForm);
  if (!t.isValid()) return {};
  t.setTimeZone(QTimeZone::utc());
  return t;
}
