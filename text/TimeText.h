#pragma once
// Times of track points: the receiver and GPX files give UTC; the hiker reads the computer's
// local time (daylight saving included) in the form the window has always shown,
// "YYYY/MM/DD-HH:MM:SS".
#include <QDateTime>
#include <QString>

// UTC time as local time text; empty for an invalid time.
QString Local_Time_Text(const QDateTime& utc);
// "YYYY/MM/DD-HH:MM:SS" read as UTC; invalid when the text is not such a time.
QDateTime Utc_From_Time_Text(const QString& text);
