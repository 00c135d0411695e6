#pragma once
// The one way a list is read from a file, for the window and for vqtool alike: a .twl, a
// .gpx or a .csv by the name's ending, in any letter case.
#include <QByteArray>
#include <QString>
#include <functional>

#include "files/LoadResult.h"
#include "points/cVQPoint.h"

class cVQPoints;

enum class cPointFileKind { Twl, Gpx, Csv, None };
cPointFileKind Point_File_Kind(const QString& path);

// "route:N", "track:N" (N from 1) or "waypoints"; false for anything else.
bool Parse_Pick(const QString& text, cPick& pick);
// The same texts back ("route:2"); empty for the default.
QString Pick_Text(const cPick& pick);

// Asked when a GPX file holds more than one part and no pick was given: the index of the
// choice to take, or -1 to keep the list as it is.
using cAsk = std::function<int(const QVector<cChoice>&)>;

// Bigger files are refused before they are read: no list a hiker has comes near it, and the
// memory a file can take stays bounded.
constexpr qint64 kMaxPointFileBytes = 512LL * 1024 * 1024;

// Reads the whole file first; only when that succeeds, and a part is chosen, are the points
// replaced (Clear, Title = the file's name without its ending, then Add) and redisplayed.
// Without ask and pick, the first part is taken (first route, else first track, else the
// waypoints). On any failure the points stay as they were.
cLoadResult Load_Point_File(const QString& path, cVQPoints& points, const cPick& pick = {},
                            const cAsk& ask = {});
// The same from bytes already read, of the given kind; the title stays empty.
cLoadResult Load_Point_Bytes(const QByteArray& bytes, cPointFileKind kind, cVQPoints& points,
                             const cPick& pick = {}, const cAsk& ask = {});

// Where the points read come from: GPX gets a label and a comment where a point has none, a
// track or a grid file marks the list so.
enum class cPointSource { Grid, Gpx, Gpx_Track, Csv };
// Every reader's last step: a file with a point no place on earth has (latitude beyond ±90,
// longitude beyond ±180) is refused, naming the point (Bad_Content, Bad_Point), and the points
// stay; otherwise they are replaced by `read` (a repeated label is left out and counted) and
// redisplayed.
cLoadResult Replace_Points(QVector<cVQPoint> read, cVQPoints& points, cPointSource source);
// The text naming the first such point of `read`; empty when there is none.
QString Impossible_Place(const QVector<cVQPoint>& read);
