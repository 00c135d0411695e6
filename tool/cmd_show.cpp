#include <QTextStream>

#include "points/cVQPoints.h"
#include "tool/Commands.h"
#include "tool/Options.h"
#include "tool/ToolUtil.h"
#include "tool/cTextList.h"

// show [--latlon] FILE.twl: the rows of the list as the window shows them after loading FILE.
int Cmd_Show(const cToolArgs& args) {
  if (args.files.size() != 1) return args.Usage(QStringLiteral("give one FILE.twl"));
  cTextList list;
  cVQPoints points;
  if (!ToolUtil::Load(args.files[0], points)) return 1;
  points.lv = &list;
  points.Set_CoorSys(args.Is_Set("latlon") ? 0 : 1);
  QTextStream out(stdout);
  out.setEncoding(QStringConverter::Utf8);
  list.Print(out);
  return 0;
}
