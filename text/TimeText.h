#pragma once
// Times of track points: the receiver and GPX files give UTC; the hiker reads the computer's
// local time (daylight saving included) in the form the window has always shown,
// "YYYY/MM/DD-HH:MM:SS".
#include <QDateTime>
#include <QString>
#include <QTimeZone>

// UTC time as local time text; empty for an invalid time.
QString Local_Time_Text(const QDateTime& utc);
// The same in a zone the caller looked up once: finding the system's zone reads its rules each
// time, which a download of thousands of points should do once.
QString Local_Time_Text(const QDateTime& utc, const QTimeZone& zone);
// The same for milliseconds since 1970 UTC, as a track keeps its times.
QString Local_Time_Text(qint64 utc_ms);
QString Local_Time_Text(qint64 utc_ms, const QTimeZone& zone);
// "YYYY/MM/DD-HH:MM:SS" read as UTC; invalid when the text is not such a time.
QDateTime Utc_From_Time_Text(const QString& text);
