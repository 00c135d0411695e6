#include "files/Exports.h"
#include "points/cVQPoints.h"
#include "tool/Commands.h"
#include "tool/ToolUtil.h"

// convert FILE.twl OUT: writes OUT as Save As does, by OUT's extension.
int Cmd_Convert(const QStringList& args) {
  if (args.size() != 2) {
    ToolUtil::Error(QStringLiteral("convert: give FILE.twl and OUT (see vqtool --help)"));
    return 2;
  }
  const QString& out = args[1];
  if (Export_Kind(out) == cExportKind::None) {
    ToolUtil::Error(QStringLiteral("%1: the output name must end in .txt or .csv").arg(out));
    return 2;
  }
  cVQPoints points;
  if (!ToolUtil::Load(args[0], points)) return 1;
  const cSaveResult result = Save_As(out, points);
  if (result.status != cSaveResult::Written) {
    ToolUtil::Error(QStringLiteral("%1: cannot write: %2").arg(out, result.error));
    return 1;
  }
  return 0;
}
