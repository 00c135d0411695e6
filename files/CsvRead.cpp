#include "files/CsvRead.h"

#include <QStringDecoder>
#include <algorithm>
#include <cmath>

#include "text/Cp1255.h"

namespace {
const QLatin1String kHeader("LABEL,LAT,LON,ALTITUDE,DISTANCE,TOTALDISTANCE,COMMENT");

// Five numbers from fields[at]: lat, lon, altitude, leg, total.
bool Numbers(const QStringList& fields, int at, double (&v)[5]) {
  for (int i = 0; i < 5; ++i) {
    bool ok = false;
    v[i] = fields[at + i].toDouble(&ok);
    if (!ok || !std::isfinite(v[i])) return false;
  }
  return v[0] >= -90 && v[0] <= 90 && v[1] >= -180 && v[1] <= 180;
}

bool Near(double a, double b) { return std::fabs(a - b) <= 1e-6 * (1 + std::fabs(b)); }

// Windows-1255 Hebrew is almost never valid UTF-8 (a letter byte 0xE0-0xFA would have to be
// followed by two bytes of 0x80-0xBF), so valid UTF-8 beyond ASCII is taken as UTF-8.
QString Csv_Text(const QByteArray& bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
  const bool ascii =
      std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
  if (!ascii) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
  }
  return Cp1255::To_Text(bytes);
}
}  // namespace

cCsvContent Parse_CSV(const QByteArray& bytes) {
  cCsvContent content;
  const QStringList lines = Csv_Text(bytes).split(QLatin1Char('\n'));
  auto fail = [&](qint64 line, const QString& error) {
    content.points.clear();
    content.error = error;
    content.line = line;
    return content;
  };
  QString header = lines.value(0);
  if (header.endsWith(QLatin1Char('\r'))) header.chop(1);
  if (header != kHeader)
    return fail(1, QStringLiteral("not a VQ CSV file: the first line is not \"%1\"").arg(kHeader));
  double total = 0;
  for (int n = 1; n < lines.size(); ++n) {
    QString line = lines[n];
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    if (line.isEmpty()) continue;
    const QStringList fields = line.split(QLatin1Char(','));
    // The label takes the fewest fields after which five numbers follow; among those, the one
    // whose leg and total agree with the previous point is the one the export wrote.
    int found = -1;
    double v[5] = {};
    for (int k = 1; k + 6 <= fields.size(); ++k) {
      double w[5];
      if (!Numbers(fields, k, w)) continue;
      const cVQPoint* prev = content.points.isEmpty() ? nullptr : &content.points.last();
      const double leg = prev ? prev->GetDistance(w[0], w[1]) : 0;
      const bool agrees = Near(w[3], leg) && Near(w[4], total + leg);
      if (found < 0 || agrees) {
        found = k;
        std::copy(w, w + 5, v);
      }
      if (agrees) break;
    }
    if (found < 0)
      return fail(n + 1, QStringLiteral("a line without a label, five numbers and a comment"));
    cVQPoint p;
    p.Label = fields.mid(0, found).join(QLatin1Char(','));
    p.lat = v[0];
    p.lon = v[1];
    p.alt = v[2];
    p.Comment = fields.mid(found + 5).join(QLatin1Char(','));
    total = v[4];
    content.points.append(std::move(p));
  }
  return content;
}
