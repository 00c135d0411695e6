#include "files/Exports.h"

#include "files/GpxWrite.h"
#include "files/WholeFile.h"
#include "geo/CvtUtil.h"
#include "geo/NumText.h"
#include "points/cVQPoints.h"
#include "text/Cp1255.h"

namespace {
const QString kCrLf = QStringLiteral("\r\n");

QString Num(double value) { return QString::fromStdString(NumText::Num_Text(value)); }

cSaveResult Write_Whole(const QString& path, const QByteArray& bytes) {
  cSaveResult result;
  if (!Write_Whole_File(path, bytes, result.error)) result.status = cSaveResult::Write_Failed;
  return result;
}
}  // namespace

cExportKind Export_Kind(const QString& path) {
  const QString ext = path.right(4).toUpper();
  if (ext == QLatin1String(".TXT")) return cExportKind::Txt;
  if (ext == QLatin1String(".CSV")) return cExportKind::Csv;
  if (ext == QLatin1String(".GPX")) return cExportKind::Gpx;
  return cExportKind::None;
}

QByteArray TXT_Bytes(const cVQPoints& points) {
  QString text;
  for (const cVQPoint& p : points) {
    text += Num(CvtUtil::DDMMSS(p.lat)) + QLatin1Char(' ') + Num(CvtUtil::DDMMSS(p.lon)) +
            QLatin1Char(' ') + p.Comment + kCrLf;
  }
  return Cp1255::From_Text(text);
}

QByteArray CSV_Bytes(const cVQPoints& points) {
  // Built as bytes: the numbers are ASCII, and only labels and comments need the code page.
  QByteArray out("LABEL,LAT,LON,ALTITUDE,DISTANCE,TOTALDISTANCE,COMMENT\r\n");
  out.reserve(out.size() + points.Count() * 96);
  const auto num = [&out](double value) {
    const std::string text = NumText::Num_Text(value);
    out.append(text.data(), qsizetype(text.size())).append(',');
  };
  double d = 0, total = 0;
  const cVQPoint* prev = nullptr;
  for (const cVQPoint& p : points) {
    if (prev) {
      d = p.GetDistance(prev->lat, prev->lon);
      total += d;
    }
    // No quoting: a comma in a label or comment is written as it is.
    out.append(Cp1255::From_Text(p.Label)).append(',');
    num(p.lat);
    num(p.lon);
    num(p.Has_Alt() ? p.alt : 0);  // the format has no "unknown"
    num(d);
    num(total);
    out.append(Cp1255::From_Text(p.Comment)).append("\r\n");
    prev = &p;
  }
  return out;
}

cSaveResult Save_TXT(const QString& path, const cVQPoints& points) {
  return Write_Whole(path, TXT_Bytes(points));
}

cSaveResult Save_CSV(const QString& path, const cVQPoints& points) {
  return Write_Whole(path, CSV_Bytes(points));
}

cSaveResult Save_GPX(const QString& path, const cVQPoints& points) {
  return Write_Whole(path, GPX_Bytes(points));
}

cSaveResult Save_As(const QString& path, const cVQPoints& points) {
  switch (Export_Kind(path)) {
    case cExportKind::Txt:
      return Save_TXT(path, points);
    case cExportKind::Csv:
      return Save_CSV(path, points);
    case cExportKind::Gpx:
      return Save_GPX(path, points);
    case cExportKind::None:
      break;
  }
  cSaveResult result;
  result.status = cSaveResult::Not_Suitable;
  result.error = QStringLiteral("the name ends in none of .txt, .csv and .gpx");
  return result;
}
