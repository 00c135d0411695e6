#include "text/TimeText.h"

#include <QTimeZone>
#include <cstdio>
#include <limits>

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
  return Local_Time_Text(utc.toMSecsSinceEpoch(), zone);
}

QString Local_Time_Text(qint64 utc_ms) { return Local_Time_Text(utc_ms, System_Zone()); }

QString Local_Time_Text(qint64 utc_ms, const QTimeZone& zone) {
  // The zone's offset holds from one transition to the next: a track's points, in order, ask
  // the zone's rules once per stretch instead of once per point.
  struct cSpan {
    QTimeZone zone;
    qint64 from = 1, to = 0;
    int offset_s = 0;
  };
  thread_local cSpan span;
  if (!(utc_ms >= span.from && utc_ms < span.to && span.zone == zone)) {
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(utc_ms, QTimeZone::utc());
    span.zone = zone;
    span.offset_s = zone.offsetFromUtc(at);
    span.from = utc_ms;
    span.to = utc_ms + 1;
    if (zone.hasTransitions()) {
      const QTimeZone::OffsetData next = zone.nextTransition(at);
      span.to = next.atUtc.isValid() ? next.atUtc.toMSecsSinceEpoch()
                                     : std::numeric_limits<qint64>::max();
    }
  }
  const qint64 local_ms = utc_ms + qint64(span.offset_s) * 1000;
  constexpr qint64 kDay_ms = 86400000;
  const qint64 days = local_ms >= 0 ? local_ms / kDay_ms : (local_ms + 1) / kDay_ms - 1;
  const qint64 ms_of_day = local_ms - days * kDay_ms;
  // Days since 1970-01-01 to the proleptic Gregorian date (H. Hinnant's civil_from_days).
  const qint64 z = days + 719468;
  const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
  const qint64 doe = z - era * 146097;
  const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const qint64 mp = (5 * doy + 2) / 153;
  const int day = int(doy - (153 * mp + 2) / 5 + 1);
  const int month = int(mp < 10 ? mp + 3 : mp - 9);
  const qint64 year = yoe + era * 400 + (month <= 2);
  const int secs = int(ms_of_day / 1000);
  char text[48];
  if (year < 0 || year > 9999) {
    const int n = std::snprintf(text, sizeof text, "%04lld/%02d/%02d-%02d:%02d:%02d",
                                static_cast<long long>(year), month, day, secs / 3600,
                                secs / 60 % 60, secs % 60);
    return QString::fromLatin1(text, n);
  }
  char16_t out[19];
  const auto put = [&out](int at, int value, int width) {
    for (int i = width - 1; i >= 0; --i, value /= 10) out[at + i] = char16_t(u'0' + value % 10);
  };
  put(0, int(year), 4);
  put(5, month, 2);
  put(8, day, 2);
  put(11, secs / 3600, 2);
  put(14, secs / 60 % 60, 2);
  put(17, secs % 60, 2);
  out[4] = out[7] = u'/';
  out[10] = u'-';
  out[13] = out[16] = u':';
  return QString(reinterpret_cast<const QChar*>(out), 19);
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
