// names: the names a receiver gets for the points of FILE, as the uploads send them.
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

#include "files/TwlFile.h"
#include "points/cVQPoints.h"
#include "text/Receiver_Names.h"
#include "tool/Commands.h"
#include "tool/Options.h"
#include "tool/ToolUtil.h"
#include "workflows/Names_Store.h"
#include "workflows/cTransfer.h"

int Name_Rules(const cToolArgs& args, cNameRules& rules) {
  rules.Latin = args.Is_Set("latin-names");
  rules.Length = kDefault_Name_Length;
  if (args.Is_Set("name-length") &&
      !args.Number("name-length", kMin_Name_Length, kMax_Name_Length, rules.Length))
    return 2;
  // The settings folder's names.csv: a line it cannot use is skipped with a note.
  QStringList problems;
  rules.Own = Load_Names_File(Names_File_Path(), false, problems);
  for (const QString& p : problems) ToolUtil::Error(QStringLiteral("note: %1 (skipped)").arg(p));
  if (!args.Is_Set("names")) return 0;
  // --names FILE wins over it, and stops the command at its first unusable line.
  problems.clear();
  const QString path = args.Value("names");
  if (!QFileInfo::exists(path)) problems << QStringLiteral("%1: no such file").arg(path);
  const QHash<QString, QString> given = Load_Names_File(path, false, problems);
  if (!problems.isEmpty()) {
    ToolUtil::Error(problems.first());
    return 1;
  }
  rules.Own.insert(given);
  return 0;
}

// names [--format DNNN] [--latin-names] [--name-length L] [--names FILE] [--title T] [--pick P]
// FILE: every label, TAB, its name; then the route's title.
int Cmd_Names(const cToolArgs& args) {
  if (args.files.size() != 1)
    return args.Usage(QStringLiteral("give one FILE (.twl, .gpx or .csv)"));
  const QString format =
      args.Is_Set("format") ? args.Value("format").trimmed().toUpper() : QStringLiteral("D108");
  static const QRegularExpression kFormat(QStringLiteral("^(D\\d{3}|GPX)$"));
  if (!kFormat.match(format).hasMatch())
    return args.Usage(QStringLiteral("bad format '%1' (D100 ... D110, D150 ... D155, or GPX)")
                          .arg(args.Value("format")));
  cNameRules rules;
  if (const int status = Name_Rules(args, rules)) return status;
  cVQPoints points;
  if (!ToolUtil::Load(args.files[0], points, args.Value("pick"))) return 1;
  QStringList labels;
  for (const cVQPoint& p : points) labels << p.Label;
  const QStringList names = Receiver_Names(labels, format, rules);
  const QString title = args.Is_Set("title")
                            ? args.Value("title")
                            : cTransfer::Offered_Title(Path_To_Name(args.files[0]));
  QTextStream out(stdout);
  out.setEncoding(QStringConverter::Utf8);
  for (int i = 0; i < labels.size(); ++i) out << labels[i] << '\t' << names[i] << '\n';
  out << "route\t" << Receiver_Title(title, format, rules) << '\n';
  return 0;
}
