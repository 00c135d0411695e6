#pragma once
// Makes .twl files of our own for tests and benchmarks: the 21-byte header, then each record
// (label, position block, comment, trailer). Labels and comments are Windows-1255.
#include <QByteArray>
#include <QString>
#include <QVector>

#include "files/TwlFile.h"

namespace TwlGen {
// last_trailer: how many of the 50 trailer bytes the last record keeps (50, 10 or 0 are the
// lengths real files show).
QByteArray Make_TWL(const QVector<cTwlRecord>& records, int last_trailer = 50);
// n points spread over the country, labelled P1, P2, ..., with Hebrew comments.
QVector<cTwlRecord> Spread_Records(int n);
bool Write_File(const QString& path, const QByteArray& bytes);
}  // namespace TwlGen
