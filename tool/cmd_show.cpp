#include <QTextStream>

#include "points/cVQPoints.h"
#include "tool/Commands.h"
#include "tool/Options.h"
#include "tool/ToolUtil.h"
#include "tool/cTextList.h"

// show [--latlon] [--pick P] FILE: the rows of the list as the window shows them after loading
// FILE.
int Cmd_Show(const cToolArgs& args) {
  if (args.files.size() != 1)
    return args.Usage(QStringLiteral("give one FILE (.twl, .gpx or .csv)"));
  cTextList list;
  cVQPoints points;
  if (!ToolUtil::Load(args.files[0], points, args.Value("pick"))) return 1;
  points.lv = &list;
  points.Set_CoorSys(args.Is_Set("latlon") ? 0 : 1);
  QTextStream out(stdout);
  out.setEncoding(QStringConverter::Utf8);
  list.Print(out);
  return 0;
}
