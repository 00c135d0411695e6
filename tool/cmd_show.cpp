#include <QTextStream>

#include "points/cVQPoints.h"
#include "tool/Commands.h"
#include "tool/Options.h"
#include "tool/ToolUtil.h"
#include "tool/cTextList.h"

// show [--latlon | --itm] [--true-datum] [--pick P] [--reverse] [--tolerance M] [--max-points N]
// FILE: the rows of the list as the window shows them after loading FILE (and shaping it).
int Cmd_Show(const cToolArgs& args) {
  if (args.files.size() != 1)
    return args.Usage(QStringLiteral("give one FILE (.twl, .gpx or .csv)"));
  if (args.Is_Set("latlon") && args.Is_Set("itm"))
    return args.Usage(QStringLiteral("give --latlon or --itm, not both"));
  cShapeChoice shape;
  if (!args.Shape(shape)) return 2;
  if (args.Is_Set("itm") && !ToolUtil::Proj_Ready()) return 1;
  cTextList list;
  cVQPoints points;
  if (!ToolUtil::Load(args.files[0], points, args.Value("pick"), args.Is_Set("true-datum")))
    return 1;
  ToolUtil::Apply_Shape(shape, points);
  points.lv = &list;
  points.Set_CoorSys(args.Is_Set("latlon") ? 0 : args.Is_Set("itm") ? 2 : 1);
  QTextStream out(stdout);
  out.setEncoding(QStringConverter::Utf8);
  list.Print(out);
  return 0;
}
