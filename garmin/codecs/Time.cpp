// Device time: signed seconds since 1989-12-31 00:00:00 (day 0). The calendar routines keep
// their floating-point rounding, which gives the Gregorian date up to 2050-02-28.
#include <algorithm>
#include <cmath>
#include <limits>

#include "garmin/Codecs.h"

namespace Codec {
namespace {

// `value` with at least `digits` digits, as the "0000" and "00" patterns write it.
QString Digits(qint64 value, int digits) {
  QString text = QString::number(value < 0 ? -value : value).rightJustified(digits, '0');
  return value < 0 ? QLatin1Char('-') + text : text;
}

// The number at the start of `text` (spaces skipped, optional sign), 0 when there is none.
qint64 Leading_Number(const QString& text) {
  int k = 0;
  while (k < text.size() && text.at(k) == QLatin1Char(' ')) ++k;
  bool negative = false;
  if (k < text.size() && (text.at(k) == QLatin1Char('-') || text.at(k) == QLatin1Char('+')))
    negative = text.at(k++) == QLatin1Char('-');
  qint64 value = 0;
  for (; k < text.size() && text.at(k).isDigit() && value < 100000000; ++k)
    value = value * 10 + text.at(k).digitValue();
  return negative ? -value : value;
}

// A whole number of the calendar routines as a 16-bit field: days far outside the device's
// range give years beyond it, which are held at the nearest end instead of wrapping.
qint16 To_Int16(double v) {
  return qint16(std::clamp(v, double(std::numeric_limits<qint16>::min()),
                           double(std::numeric_limits<qint16>::max())));
}

}  // namespace

void Date_From_Days(qint32 days, qint16& month, qint16& day, qint16& year) {
  const double d = days;
  const double alpha = std::nearbyint((d + 580676 - 0.25) / 36524.25);
  const double ja = std::nearbyint(d + 2447893 + alpha - 0.25 * alpha);
  const double jb = ja + 1524;
  const double jc = std::trunc(6680 + (jb - 2439870 - 122.1) / 365.25);
  const double jd = std::trunc(365.25 * jc);
  const double je = std::trunc((jb - jd) / 30.6001);
  day = To_Int16((jb - jd) - std::trunc(30.6001 * je));
  month = To_Int16(je - 1);
  if (month > 12) month -= 12;
  double y = jc - 4715;
  if (month > 2) y -= 1;
  if (y <= 0) y -= 1;
  year = To_Int16(y);
}

qint32 Days_From_Date(qint16 month, qint16 day, qint16 year) {
  double y = year, m = month + 1;
  if (month < 3) {
    y = year - 1;
    m = month + 13;
  }
  const double a = std::floor(0.01 * y);
  const double j =
      std::floor(365.25 * y) + std::floor(30.6001 * m) + day + 1720997 - a + std::floor(0.25 * a);
  const double result = j - 2447892;
  return result < 0 ? 0 : qint32(result);
}

QString Format_Garmin_Time(qint32 seconds, qint16 hours) {
  const qint64 t = qint64(seconds) + 3600 * qint64(hours);
  const qint64 days = t / 86400;  // toward zero
  const qint64 s = t - 86400 * days;
  qint16 month = 0, day = 0, year = 0;
  Date_From_Days(qint32(days), month, day, year);
  const qint64 hour = qAbs(s / 3600);
  const qint64 minute = qAbs((s - 3600 * hour) / 60);
  const qint64 second = qAbs(s - 3600 * hour - 60 * minute);
  return Digits(year, 4) + '/' + Digits(month, 2) + '/' + Digits(day, 2) + '-' + Digits(hour, 2) +
         ':' + Digits(minute, 2) + ':' + Digits(second, 2);
}

qint32 Parse_Garmin_Time(const QString& text, qint16 hours) {
  const qint64 year = Leading_Number(text.mid(0, 4));
  const qint64 month = Leading_Number(text.mid(5, 2));
  const qint64 day = Leading_Number(text.mid(8, 2));
  const qint64 hour = Leading_Number(text.mid(11, 2));
  const qint64 minute = Leading_Number(text.mid(14, 2));
  const qint64 second = Leading_Number(text.mid(17, 2));
  const qint64 days = Days_From_Date(qint16(month), qint16(day), qint16(year));
  const qint64 t = 86400 * days + 3600 * hour + 60 * minute + second - 3600 * qint64(hours);
  // A time the 32-bit field cannot hold is sent as the device's "no time".
  if (t < INT32_MIN || t > INT32_MAX) return -1;
  return qint32(t);
}

}  // namespace Codec
