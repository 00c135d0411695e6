#include "files/Exports.h"
#include "points/cVQPoints.h"
#include "tool/Commands.h"
#include "tool/Options.h"
#include "tool/ToolUtil.h"

// convert [--pick P] [--reverse] [--tolerance M] [--max-points N] FILE OUT: writes OUT as Save
// As does, by OUT's extension.
int Cmd_Convert(const cToolArgs& args) {
  if (args.files.size() != 2) return args.Usage(QStringLiteral("give FILE and OUT"));
  const QString& out = args.files[1];
  if (!ToolUtil::Check_Out_Name(out)) return 2;
  cShapeChoice shape;
  if (!args.Shape(shape)) return 2;
  cVQPoints points;
  if (!ToolUtil::Load(args.files[0], points, args.Value("pick"), args.Is_Set("true-datum")))
    return 1;
  ToolUtil::Apply_Shape(shape, points);
  const cSaveResult result = Save_As(out, points);
  if (result.status != cSaveResult::Written) {
    ToolUtil::Error(QStringLiteral("%1: cannot write: %2").arg(out, result.error));
    return 1;
  }
  return 0;
}
