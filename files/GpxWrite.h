#pragma once
// GPX 1.1 out, UTF-8, creator "VQ", metadata named by the list's title. Cache points become
// one wpt each and one rte through them in list order; a recorded track becomes one trk with
// its segments and nothing else. Positions have 9 decimals, elevations are metres and times
// UTC.
#include <QByteArray>
#include <QStringList>

class cVQPoints;

// Pure: the whole file's bytes. route_number, when not negative, is written as the route's
// <number> (the receiver files the route under it). names, one for each point, are the names a
// receiver shows: each point's <name>, its label then going into <desc>.
QByteArray GPX_Bytes(const cVQPoints& points, int route_number = -1,
                     const QStringList& names = {});
