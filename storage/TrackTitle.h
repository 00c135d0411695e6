#pragma once
// How a saved track on a receiver's drive is named to the user: the name of its first track and
// the time of its first point, read from the start of the GPX file.
#include <QDateTime>
#include <QString>

struct cTrackTitle {
  QString Name;     // the first <trk>'s <name>; empty when it has none
  QDateTime Start;  // the first track point's <time> (UTC); invalid when there is none
};

// Reads no further than the first track point's time; a file that cannot be read or parsed gives
// what was found before the fault.
cTrackTitle Read_Track_Title(const QString& path);
