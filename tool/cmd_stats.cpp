#include <QTextStream>
#include <cmath>

#include "geo/NumText.h"
#include "points/cVQPoints.h"
#include "points/cVQShape.h"
#include "tool/Commands.h"
#include "tool/Options.h"
#include "tool/ToolUtil.h"

namespace {
// Whole metres; adding 0 turns a rounded -0 into 0.
QString Whole(double metres) {
  return QString::fromStdString(NumText::Num_Text(NumText::Round_Half_Even(metres, 0) + 0.0));
}

// H:MM:SS, the hours as many as there are.
QString Duration_Text(double seconds) {
  const qint64 s = std::llround(seconds);
  return QStringLiteral("%1:%2:%3")
      .arg(s / 3600)
      .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
      .arg(s % 60, 2, 10, QLatin1Char('0'));
}
}  // namespace

// stats [--pick P] [--reverse] [--tolerance M] [--max-points N] FILE: the numbers of the list,
// one "name<TAB>value" line each.
int Cmd_Stats(const cToolArgs& args) {
  if (args.files.size() != 1)
    return args.Usage(QStringLiteral("give one FILE (.twl, .gpx or .csv)"));
  cShapeChoice shape;
  if (!args.Shape(shape)) return 2;
  cVQPoints points;
  if (!ToolUtil::Load(args.files[0], points, args.Value("pick"))) return 1;
  ToolUtil::Apply_Shape(shape, points);
  const cTrackStats s = Track_Stats(points);
  // The distance as the window's status bar gives it.
  QString km = QString::fromStdString(NumText::Rounded_Text(s.Distance_km, 2));
  if (km.startsWith(QLatin1Char('.'))) km.prepend(QLatin1Char('0'));
  QTextStream out(stdout);
  out << "points\t" << s.Points << "\ndistance_km\t" << km << '\n';
  if (s.Has_Time) out << "duration\t" << Duration_Text(s.Duration_s) << '\n';
  if (s.Has_Alt) {
    out << "climb_m\t" << Whole(s.Climb_m) << "\ndescent_m\t" << Whole(s.Descent_m)
        << "\nmin_alt_m\t" << Whole(s.Min_Alt_m) << "\nmax_alt_m\t" << Whole(s.Max_Alt_m) << '\n';
  }
  return 0;
}
