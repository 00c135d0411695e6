#include "files/Exports.h"

#include <cmath>
#include <functional>

#include "files/GpxWrite.h"
#include "files/WholeFile.h"
#include "geo/CvtUtil.h"
#include "geo/NumText.h"
#include "points/cVQPoints.h"
#include "text/Cp1255.h"
#include "text/TimeText.h"

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
  const cVQStore& store = points.Store();
  for (const cVQRec& p : store.recs) {
    text += Num(CvtUtil::DDMMSS(p.lat)) + QLatin1Char(' ') + Num(CvtUtil::DDMMSS(p.lon)) +
            QLatin1Char(' ') + store.Comment(p) + kCrLf;
  }
  return Cp1255::From_Text(text);
}

namespace {
// The CSV in pieces of about 1 MB handed to put, so that a long track is never whole in memory;
// false as soon as put fails.
bool Put_CSV(const cVQPoints& points, const cPut& put) {
  // Built as bytes: the numbers are ASCII, and only labels and comments need the code page.
  constexpr qsizetype kPiece = 1 << 20;
  QByteArray out("LABEL,LAT,LON,ALTITUDE,DISTANCE,TOTALDISTANCE,COMMENT\r\n");
  out.reserve(kPiece + 4096);
  const auto num = [&out](double value) {
    char buf[40];
    out.append(buf, NumText::Num_Chars(value, buf)).append(',');
  };
  const cVQStore& store = points.Store();
  double d = 0, total = 0;
  const cVQRec* prev = nullptr;
  for (const cVQRec& p : store.recs) {
    if (prev) {
      d = cVQPoint::Leg_Km(p.lat, p.lon, prev->lat, prev->lon);
      total += d;
    }
    // No quoting: a comma in a label or comment is written as it is.
    if (p.label < 0)
      out.append(QByteArray::number(-qint64(p.label)));
    else
      out.append(Cp1255::From_Text(store.texts[size_t(p.label)]));
    out.append(',');
    num(p.lat);
    num(p.lon);
    num(std::isfinite(p.alt) ? p.alt : 0);  // the format has no "unknown"
    num(d);
    num(total);
    if (p.comment == cVQRec::kTime_Text)
      out.append(Local_Time_Text(p.time_ms).toLatin1());
    else if (p.comment >= 0)
      out.append(Cp1255::From_Text(store.texts[size_t(p.comment)]));
    out.append("\r\n");
    prev = &p;
    if (out.size() >= kPiece) {
      if (!put(out)) return false;
      out.clear();
    }
  }
  return put(out);
}
}  // namespace

QByteArray CSV_Bytes(const cVQPoints& points) {
  QByteArray all;
  Put_CSV(points, [&all](const QByteArray& piece) {
    all.append(piece);
    return true;
  });
  return all;
}

cSaveResult Save_TXT(const QString& path, const cVQPoints& points) {
  return Write_Whole(path, TXT_Bytes(points));
}

cSaveResult Save_CSV(const QString& path, const cVQPoints& points) {
  cSaveResult result;
  if (!Write_Whole_File(
          path, [&points](const cPut& put) { return Put_CSV(points, put); }, result.error))
    result.status = cSaveResult::Write_Failed;
  return result;
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
