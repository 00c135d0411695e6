#include "tool/ToolUtil.h"

#include <cstdio>

#include "files/Exports.h"
#include "files/PointFile.h"
#include "geo/cProjGrids.h"
#include "points/cVQPoints.h"
#include "points/cVQShape.h"
#include "tool/Options.h"

namespace ToolUtil {

void Error(const QString& message) {
  std::fprintf(stderr, "vqtool: %s\n", message.toLocal8Bit().constData());
}

bool Proj_Ready() {
  const cProjGrids& proj = cProjGrids::Shared();
  if (!proj.Ok()) Error(QString::fromStdString(proj.Error()));
  return proj.Ok();
}

bool Load(const QString& path, cVQPoints& points, const QString& pick_text, bool true_datum) {
  cPick pick;
  if (!pick_text.isEmpty() && !Parse_Pick(pick_text, pick)) {
    Error(
        QStringLiteral("bad value '%1' for --pick (route:N, track:N or waypoints)").arg(pick_text));
    return false;
  }
  if (true_datum && !(Proj_Ready() && points.Set_Datum(true))) return false;
  const cLoadResult result = Load_Point_File(path, points, pick);
  switch (result.status) {
    case cLoadResult::Loaded:
      break;
    case cLoadResult::Bad_Content:
      Error(QStringLiteral("%1:%2: %3").arg(path).arg(result.line).arg(result.error));
      return false;
    case cLoadResult::Cannot_Read:
      Error(QStringLiteral("%1: cannot read: %2").arg(path, result.error));
      return false;
    default:
      Error(QStringLiteral("%1: %2").arg(path, result.error));
      return false;
  }
  if (pick.kind == cPick::Default && result.choices.size() > 1) {
    QStringList others;
    for (int i = 1; i < result.choices.size(); ++i) others << Pick_Text(result.choices[i].pick);
    Error(QStringLiteral("note: took %1; the file also holds %2 (choose with --pick)")
              .arg(Pick_Text(result.choices[0].pick), others.join(QStringLiteral(", "))));
  }
  if (result.duplicates > 0) {
    Error(QStringLiteral("note: %1 point(s) left out because their label repeats an earlier "
                         "one (first: \"%2\")")
              .arg(result.duplicates)
              .arg(result.first_duplicate));
  }
  if (result.cut) Error(QStringLiteral("note: the last record is cut short and was left out"));
  return true;
}

void Apply_Shape(const cShapeChoice& shape, cVQPoints& points) {
  if (shape.reverse) points.Reverse();
  if (shape.tolerance_m < 0 && shape.max_points <= 0) return;
  points.Keep(Simplify(points, shape.tolerance_m, shape.max_points).Kept);
  points.From_Track = false;
}

bool Check_Out_Name(const QString& out) {
  if (Export_Kind(out) != cExportKind::None) return true;
  Error(QStringLiteral("%1: the output name must end in .txt, .csv or .gpx").arg(out));
  return false;
}

bool Write_Points(const QString& out, const cVQPoints& points) {
  const cSaveResult saved = Save_As(out, points);
  if (saved.status != cSaveResult::Written) {
    Error(QStringLiteral("%1: cannot write: %2").arg(out, saved.error));
    return false;
  }
  std::fprintf(stderr, "%d point(s) written to %s\n", points.Count(),
               out.toLocal8Bit().constData());
  return true;
}

}  // namespace ToolUtil
