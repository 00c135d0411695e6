#include "tests/gen/TwlGen.h"

#include <QFile>

#include "text/Cp1255.h"

namespace TwlGen {
namespace {
constexpr int kHeaderSize = 21;
constexpr int kTrailerSize = 50;

void Put_Int32(QByteArray& out, qint32 v) {
  const quint32 u = quint32(v);
  for (int shift = 0; shift < 32; shift += 8) out.append(char((u >> shift) & 0xFF));
}

// At most 255 bytes fit behind a one-byte length.
void Put_PString(QByteArray& out, const QString& text) {
  const QByteArray bytes = Cp1255::From_Text(text).left(255);
  out.append(char(bytes.size()));
  out.append(bytes);
}
}  // namespace

QByteArray Make_TWL(const QVector<cTwlRecord>& records, int last_trailer) {
  QByteArray out("VQ generated file");
  out = out.leftJustified(kHeaderSize, '\0', true);
  last_trailer = qBound(0, last_trailer, kTrailerSize);
  for (int i = 0; i < records.size(); ++i) {
    const cTwlRecord& r = records[i];
    Put_PString(out, r.Label);
    out.append(QByteArray(8, '\x7F'));  // unread bytes: not zero, so a misplaced read shows
    Put_Int32(out, r.E);
    Put_Int32(out, r.N);
    out.append(QByteArray(2, '\x7F'));
    Put_Int32(out, r.Alt);
    Put_PString(out, r.Comment);
    // Trailer bytes 1, 2, ..., 50: a reader that skips one too few takes a wrong label length.
    const int trailer = (i == records.size() - 1) ? last_trailer : kTrailerSize;
    for (int b = 1; b <= trailer; ++b) out.append(char(b));
  }
  return out;
}

QVector<cTwlRecord> Spread_Records(int n) {
  QVector<cTwlRecord> records;
  records.reserve(qMax(0, n));
  for (int i = 1; i <= n; ++i) {
    cTwlRecord r;
    r.Label = QStringLiteral("P%1").arg(i);
    // From the Negev to the Galilee in the grid's own metres; the primes scatter the points.
    r.E = 150000 + qint32((qint64(i) * 7919) % 100000);
    r.N = 885000 + qint32((qint64(i) * 104729) % 410000);
    r.Alt = qint32((qint64(i) * 37) % 1200) - 400;
    r.Comment = QStringLiteral("נקודה %1").arg(i);
    records.append(r);
  }
  return records;
}

bool Write_File(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         file.write(bytes) == bytes.size() && file.flush();
}
}  // namespace TwlGen
