#include "tool/ToolUtil.h"

#include <cstdio>

#include "files/TwlFile.h"
#include "geo/cProjGrids.h"
#include "points/cVQPoints.h"

namespace ToolUtil {

void Error(const QString& message) {
  std::fprintf(stderr, "vqtool: %s\n", message.toLocal8Bit().constData());
}

bool Proj_Ready() {
  const cProjGrids& proj = cProjGrids::Shared();
  if (!proj.Ok()) Error(QString::fromStdString(proj.Error()));
  return proj.Ok();
}

bool Load(const QString& path, cVQPoints& points, bool true_datum) {
  if (!Is_TWL_Name(path)) {
    Error(QStringLiteral("%1: not a .twl waypoint file").arg(path));
    return false;
  }
  if (true_datum && !(Proj_Ready() && points.Set_Datum(true))) return false;
  const cLoadResult result = Load_TWL_File(path, points);
  if (result.status != cLoadResult::Loaded) {
    Error(QStringLiteral("%1: cannot read: %2").arg(path, result.error));
    return false;
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

}  // namespace ToolUtil
