#include "files/PointFile.h"

#include <QFile>
#include <QFileInfo>

#include "files/CsvRead.h"
#include "files/GpxRead.h"
#include "files/TwlFile.h"
#include "points/cVQPoints.h"
#include "text/TimeText.h"

namespace {
cLoadResult Failed(cLoadResult::Status status, const QString& error, qint64 line = 0) {
  cLoadResult result;
  result.status = status;
  result.error = error;
  result.line = line;
  return result;
}

// The choices as vqtool names them in an error.
QString Choices_Text(const QVector<cChoice>& choices) {
  if (choices.isEmpty()) return QStringLiteral("the file holds no route, track or waypoint");
  QStringList texts;
  for (const cChoice& c : choices) {
    QString text = Pick_Text(c.pick);
    if (!c.name.isEmpty()) text += QStringLiteral(" \"%1\"").arg(c.name);
    texts << text + QStringLiteral(" (%1 point(s))").arg(c.count);
  }
  return QStringLiteral("the file holds ") + texts.join(QStringLiteral(", "));
}

cLoadResult Load_GPX_Bytes(const QByteArray& bytes, cVQPoints& points, const cPick& pick,
                           const cAsk& ask) {
  cGpxContent content = Parse_GPX(bytes);
  if (content.fault != cGpxContent::None) {
    cLoadResult result = Failed(cLoadResult::Bad_Content, content.error, content.line);
    constexpr cLoadResult::Fault kFaults[] = {cLoadResult::No_Fault, cLoadResult::Malformed_Xml,
                                              cLoadResult::Not_Gpx, cLoadResult::Bad_Point,
                                              cLoadResult::Declares_Entities};
    result.fault = kFaults[content.fault];
    return result;
  }
  const QVector<cChoice> choices = Gpx_Choices(content);
  cPick which = pick;
  if (which.kind == cPick::Default && !choices.isEmpty()) which = choices[0].pick;
  if (pick.kind == cPick::Default && choices.size() > 1 && ask) {
    const int index = ask(choices);
    if (index < 0 || index >= choices.size()) {
      cLoadResult result = Failed(cLoadResult::Cancelled, QStringLiteral("no part was chosen"));
      result.choices = choices;
      return result;
    }
    which = choices[index].pick;
  }
  cGpxPart* part = Gpx_Part(content, which);
  if (!part) {
    cLoadResult result = Failed(
        cLoadResult::No_Such_Pick,
        QStringLiteral("no %1 in the file; %2").arg(Pick_Text(which), Choices_Text(choices)));
    result.choices = choices;
    return result;
  }
  // The part's points are not needed again: they move into the list.
  cLoadResult result =
      Replace_Points(std::move(part->points), points,
                     which.kind == cPick::Track ? cPointSource::Gpx_Track : cPointSource::Gpx);
  result.choices = choices;
  return result;
}
}  // namespace

QString Impossible_Place(const QVector<cVQPoint>& read) {
  for (int i = 0; i < read.size(); ++i) {
    const cVQPoint& p = read[i];
    if (!(p.lat >= -90 && p.lat <= 90) || !(p.lon >= -180 && p.lon <= 180))
      return QStringLiteral("point %1 \"%2\" is at latitude %3, longitude %4, which no place has")
          .arg(i + 1)
          .arg(p.Label)
          .arg(p.lat)
          .arg(p.lon);
  }
  return {};
}

cLoadResult Replace_Points(QVector<cVQPoint> read, cVQPoints& points, cPointSource source) {
  cLoadResult result;
  const QString impossible = Impossible_Place(read);
  if (!impossible.isEmpty()) {
    result = Failed(cLoadResult::Bad_Content, impossible);
    result.fault = cLoadResult::Bad_Point;
    return result;
  }
  const bool gpx = source == cPointSource::Gpx || source == cPointSource::Gpx_Track;
  points.Clear();
  points.From_Track = source == cPointSource::Gpx_Track;
  points.From_Grid = source == cPointSource::Grid;
  points.Reserve(int(read.size()));
  for (int i = 0; i < read.size(); ++i) {
    cVQPoint& p = read[i];
    if (gpx && p.Label.isEmpty()) p.Label = QString::number(i + 1);
    if (gpx && p.Comment.isEmpty() && p.Time.isValid()) p.Comment = Local_Time_Text(p.Time);
    const QString label = p.Label;
    if (!points.Add(std::move(p))) {
      if (result.duplicates == 0) result.first_duplicate = label;
      ++result.duplicates;
    }
  }
  result.loaded = points.Count();
  if (points.lv) points.Redisplay();
  return result;
}

cPointFileKind Point_File_Kind(const QString& path) {
  const QString ext = path.right(4).toUpper();
  if (ext == QLatin1String(".TWL")) return cPointFileKind::Twl;
  if (ext == QLatin1String(".GPX")) return cPointFileKind::Gpx;
  if (ext == QLatin1String(".CSV")) return cPointFileKind::Csv;
  return cPointFileKind::None;
}

bool Parse_Pick(const QString& text, cPick& pick) {
  if (text == QLatin1String("waypoints")) {
    pick = {cPick::Waypoints, 0};
    return true;
  }
  const int colon = text.indexOf(QLatin1Char(':'));
  const QString kind = text.left(colon);
  bool ok = false;
  const int number = text.mid(colon + 1).toInt(&ok);
  if (colon < 0 || !ok || number < 1) return false;
  if (kind == QLatin1String("route")) {
    pick = {cPick::Route, number};
  } else if (kind == QLatin1String("track")) {
    pick = {cPick::Track, number};
  } else {
    return false;
  }
  return true;
}

QString Pick_Text(const cPick& pick) {
  switch (pick.kind) {
    case cPick::Route:
      return QStringLiteral("route:%1").arg(pick.number);
    case cPick::Track:
      return QStringLiteral("track:%1").arg(pick.number);
    case cPick::Waypoints:
      return QStringLiteral("waypoints");
    case cPick::Default:
      break;
  }
  return {};
}

cLoadResult Load_Point_Bytes(const QByteArray& bytes, cPointFileKind kind, cVQPoints& points,
                             const cPick& pick, const cAsk& ask) {
  if (kind != cPointFileKind::Gpx && pick.kind != cPick::Default)
    return Failed(cLoadResult::No_Such_Pick,
                  QStringLiteral("only a .gpx file has routes, tracks and waypoints to pick from"));
  switch (kind) {
    case cPointFileKind::Twl:
      return Load_TWL_Bytes(bytes, points);
    case cPointFileKind::Gpx:
      return Load_GPX_Bytes(bytes, points, pick, ask);
    case cPointFileKind::Csv: {
      cCsvContent content = Parse_CSV(bytes);
      if (!content.error.isEmpty()) {
        cLoadResult result = Failed(cLoadResult::Bad_Content, content.error, content.line);
        result.fault = content.line == 1 ? cLoadResult::Not_Vq_Csv : cLoadResult::Bad_Csv_Line;
        return result;
      }
      return Replace_Points(std::move(content.points), points, cPointSource::Csv);
    }
    case cPointFileKind::None:
      break;
  }
  return Failed(cLoadResult::Not_Suitable,
                QStringLiteral("not a point file: the name must end in .twl, .gpx or .csv"));
}

cLoadResult Load_Point_File(const QString& path, cVQPoints& points, const cPick& pick,
                            const cAsk& ask) {
  const cPointFileKind kind = Point_File_Kind(path);
  if (kind == cPointFileKind::None)
    return Failed(cLoadResult::Not_Suitable,
                  QStringLiteral("not a point file: the name must end in .twl, .gpx or .csv"));
  const QFileInfo info(path);
  if (!info.exists()) return Failed(cLoadResult::Cannot_Read, QStringLiteral("no such file"));
  // A folder, a device or a pipe is no list, and reading one might never end.
  if (!info.isFile())
    return Failed(cLoadResult::Cannot_Read, QStringLiteral("it is a folder or device, not a file"));
  if (info.size() > kMaxPointFileBytes)
    return Failed(cLoadResult::Cannot_Read, QStringLiteral("the file is larger than 512 MB"));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return Failed(cLoadResult::Cannot_Read, file.errorString());
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError)
    return Failed(cLoadResult::Cannot_Read, file.errorString());
  if (bytes.size() > kMaxPointFileBytes)
    return Failed(cLoadResult::Cannot_Read, QStringLiteral("the file is larger than 512 MB"));
  // The whole file is in memory: only now can the list be replaced.
  cLoadResult result = Load_Point_Bytes(bytes, kind, points, pick, ask);
  if (result.status == cLoadResult::Loaded) points.Title = info.completeBaseName();
  return result;
}
