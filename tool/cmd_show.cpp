#include <QTextStream>

#include "points/cVQPoints.h"
#include "tool/Commands.h"
#include "tool/ToolUtil.h"
#include "tool/cTextList.h"

// show [--latlon] FILE.twl: the rows of the list as the window shows them after loading FILE.
int Cmd_Show(const QStringList& args) {
  qint16 coorSys = 1;
  QStringList files;
  for (const QString& a : args) {
    if (a == QLatin1String("--latlon")) {
      coorSys = 0;
    } else if (a.startsWith(QLatin1String("--"))) {
      ToolUtil::Error(QStringLiteral("show: unknown option %1").arg(a));
      return 2;
    } else {
      files << a;
    }
  }
  if (files.size() != 1) {
    ToolUtil::Error(QStringLiteral("show: give one FILE.twl (see vqtool --help)"));
    return 2;
  }
  cTextList list;
  cVQPoints points;
  if (!ToolUtil::Load(files[0], points)) return 1;
  points.lv = &list;
  points.Set_CoorSys(coorSys);
  QTextStream out(stdout);
  out.setEncoding(QStringConverter::Utf8);
  list.Print(out);
  return 0;
}
