#include "files/TwlFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <vector>

#include "files/PointFile.h"
#include "geo/VectorState.h"
#include "geo/Xlate.h"
#include "geo/cProjGrids.h"
#include "points/cVQPoints.h"
#include "text/Cp1255.h"

namespace {
constexpr int kHeaderSize = 21;    // file header, not used
constexpr int kPositionSize = 22;  // 8 unread, E, N, 2 unread, altitude
constexpr int kTrailerSize = 50;   // skipped; the last record may keep fewer bytes
// No place on earth is farther than this from the grid's false origin (the equator is about
// 40,000 km round): a larger easting or northing means the bytes are not a position.
constexpr qint32 kMaxGrid_m = 20000000;
// The grid serves Israel and its neighbours, a few hundred km around (170 km E, 1,100 km N);
// a value 1,000 km from there is no place a waypoint file of the country holds.
constexpr qint32 kGrid_Centre_E = 170000, kGrid_Centre_N = 1100000, kFar_m = 1000000;

bool Plausible(const QByteArray& bytes, int label_at, const cTwlRecord& rec) {
  const int len = quint8(bytes[label_at]);
  for (int i = 1; i <= len; ++i)
    if (quint8(bytes[label_at + i]) < 0x20) return false;
  const auto far = [](qint32 v) { return v > kMaxGrid_m || v < -kMaxGrid_m; };
  return !far(rec.E) && !far(rec.N);
}

qint32 Read_Int32(const QByteArray& bytes, int at) {
  const auto b = [&](int i) { return quint32(quint8(bytes[at + i])); };
  return qint32(b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24));
}

// A length-prefixed text at pos; false when the file ends before the text does.
bool Read_PString(const QByteArray& bytes, int& pos, QString& text) {
  if (pos >= bytes.size()) return false;
  const int len = quint8(bytes[pos]);
  if (bytes.size() - (pos + 1) < len) return false;
  text = Cp1255::To_Text(bytes.mid(pos + 1, len));
  pos += 1 + len;
  return true;
}
}  // namespace

cTwlContent Parse_TWL(const QByteArray& bytes) {
  cTwlContent content;
  if (bytes.size() < kHeaderSize) {
    content.not_waypoint_file = true;
    return content;
  }
  int pos = kHeaderSize;
  while (pos < bytes.size()) {
    cTwlRecord rec;
    int at = pos;
    bool whole = Read_PString(bytes, at, rec.Label);
    if (whole && bytes.size() - at >= kPositionSize) {
      rec.E = Read_Int32(bytes, at + 8);
      rec.N = Read_Int32(bytes, at + 12);
      rec.Alt = Read_Int32(bytes, at + 18);
      at += kPositionSize;
    } else {
      whole = false;
    }
    whole = whole && Read_PString(bytes, at, rec.Comment);
    if (!whole && content.records.isEmpty()) {
      // Not even one whole record after the header: text or other bytes under a .twl name.
      content.not_waypoint_file = true;
      break;
    }
    if (!whole) {
      // Completing a cut record with zeros would invent a point; it is dropped instead.
      content.cut = true;
      break;
    }
    if (!Plausible(bytes, pos, rec)) {
      content.not_waypoint_file = true;
      content.records.clear();
      break;
    }
    content.records.append(rec);
    pos = at + qMin(kTrailerSize, int(bytes.size()) - at);
  }
  return content;
}

bool Is_TWL_Name(const QString& path) { return path.right(4).toUpper() == QLatin1String(".TWL"); }

QString Path_To_Name(const QString& path) {
#ifdef Q_OS_WIN
  const int cut = qMax(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
#else
  const int cut = path.lastIndexOf(QLatin1Char('/'));
#endif
  // A bare name is its own title.
  return path.mid(cut + 1);
}

cLoadResult Load_TWL_File(const QString& path, cVQPoints& points) {
  cLoadResult result;
  const QFileInfo info(path);
  if (!info.exists()) {
    result.status = cLoadResult::Cannot_Read;
    result.error = QStringLiteral("no such file");
    return result;
  }
  if (info.isDir()) {
    result.status = cLoadResult::Cannot_Read;
    result.error = QStringLiteral("it is a folder, not a file");
    return result;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    result.status = cLoadResult::Cannot_Read;
    result.error = file.errorString();
    return result;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    result.status = cLoadResult::Cannot_Read;
    result.error = file.errorString();
    return result;
  }

  // The whole file is in memory: only now is the list replaced.
  return Load_TWL_Bytes(bytes, points);
}

cLoadResult Load_TWL_Bytes(const QByteArray& bytes, cVQPoints& points) {
  cLoadResult result;
  const cTwlContent content = Parse_TWL(bytes);
  if (content.not_waypoint_file) {
    result.status = cLoadResult::Bad_Content;
    result.fault = cLoadResult::Not_Waypoint_File;
    result.error = QStringLiteral("not a waypoint file");
    result.loaded = points.Count();
    return result;
  }
  // Every position first, then the points: adding hashes the labels, which slows the
  // arithmetic that follows it (geo/VectorState.h). With the datum option the grid values are
  // EPSG:28193, taken to WGS 84 in one batch.
  const int n = content.records.size();
  for (int i = 0; i < n; ++i) {
    const cTwlRecord& rec = content.records[i];
    if (std::abs(rec.E - kGrid_Centre_E) > kFar_m || std::abs(rec.N - kGrid_Centre_N) > kFar_m) {
      result.status = cLoadResult::Bad_Content;
      result.fault = cLoadResult::Bad_Point;
      result.error =
          QStringLiteral("point %1 \"%2\": the grid value %3 %4 is far outside the country")
              .arg(i + 1)
              .arg(rec.Label)
              .arg(rec.E)
              .arg(rec.N);
      return result;
    }
  }
  std::vector<double> lats(size_t(n), HUGE_VAL), lons(size_t(n), HUGE_VAL);
  if (points.Datum()) {
    for (int i = 0; i < n; ++i) lats[i] = content.records[i].E, lons[i] = content.records[i].N;
    if (!cProjGrids::Shared().Old_Grid_To_WGS84(lats.data(), lons.data(), size_t(n)))
      std::fill(lats.begin(), lats.end(), HUGE_VAL);
  }
  VectorState::Clear_Upper_Halves();
  for (int i = 0; i < n; ++i) {
    // Without the option, or for a value PROJ cannot take, the original formulas.
    if (!std::isfinite(lats[size_t(i)]) || !std::isfinite(lons[size_t(i)]))
      Xlate::ITM_To_LatLon(double(content.records[i].E), double(content.records[i].N),
                           lats[size_t(i)], lons[size_t(i)]);
  }
  QVector<cVQPoint> read(n);
  for (int i = 0; i < n; ++i) {
    const cTwlRecord& rec = content.records[i];
    cVQPoint& p = read[i];
    p.Label = rec.Label;
    p.lat = lats[size_t(i)];
    p.lon = lons[size_t(i)];
    p.alt = double(rec.Alt);
    p.Comment = rec.Comment;
  }
  result = Replace_Points(std::move(read), points, cPointSource::Grid);
  result.cut = content.cut;
  return result;
}
