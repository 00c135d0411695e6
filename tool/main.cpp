// vqtool: VQ's jobs on the command line, on the same code as the window.
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <memory>

#include "files/PointFile.h"
#include "tool/Commands.h"
#include "tool/Options.h"
#include "tool/ToolUtil.h"
#include "vq/Version.h"

namespace {
struct cCommand {
  const char* name;
  const char* files;  // the arguments after the options, for the help
  const char* help;
  int (*run)(const cToolArgs&);
};

// One row per command; its options are the rows of Tool_Options() that name it.
const cCommand kCommands[] = {
    {"show", "FILE",
     "Print the point list as the VQ window shows it after loading FILE: one line per point,\n"
     "the six columns (label, easting or latitude, northing or longitude, altitude, comment,\n"
     "leg in km) joined by TAB, UTF-8. The Israeli grid by default; --latlon shows\n"
     "latitude/longitude, --itm the New Israeli Grid.",
     Cmd_Show},
    {"convert", "FILE OUT",
     "Write the points of FILE to OUT as the window's Save As does: OUT ending in .txt gives\n"
     "Turbo CD import text, .csv a spreadsheet file, .gpx a GPX 1.1 file (any letter case).",
     Cmd_Convert},
    {"stats", "FILE",
     "Print the numbers of the list, one \"name<TAB>value\" line each: points, distance_km (the\n"
     "list's total, as the window's status bar), duration (H:MM:SS, earliest to latest time; for\n"
     "a list with times), then climb_m, descent_m, min_alt_m and max_alt_m in whole metres (for\n"
     "a list with altitudes; climb and descent count a change once it reaches 5 m, against the\n"
     "receiver's noise).",
     Cmd_Stats},
    {"info", "", "Ask the GPS receiver who it is; print its product data and protocols.", Cmd_Info},
    {"download-track", "OUT",
     "Write the receiver's track log to OUT (.txt, .csv or .gpx), one point per track point,\n"
     "its local time as comment; a .gpx file gets one track with the receiver's segments.",
     Cmd_Download_Track},
    {"upload-route", "FILE", "Upload the points of FILE to the receiver as route R.",
     Cmd_Upload_Route},
    {"names", "FILE",
     "Print the name each point of FILE gets in the receiver, as the uploads send it: one line\n"
     "per point, its label, TAB and its name, then 'route', TAB and the route's title.",
     Cmd_Names},
    {"devices", "",
     "List what a transfer can reach, one line each, TAB-separated: \"port\" and each serial\n"
     "port with its description (\"receiver\" when the port is a Garmin receiver: the USB ones\n"
     "of about 2004-2010 appear so through Linux's garmin_gps module; 'modprobe garmin_gps'\n"
     "loads it), then \"drive\" and each Garmin drive's folder with its model: USB drives, then\n"
     "the storages of receivers that the desktop mounts over MTP (gvfs).",
     Cmd_Devices},
    {"plot", "FILE OUT",
     "Draw the list of FILE as the map pane does into OUT: .svg, .png or .pdf. North up, the\n"
     "whole list with a margin, the grid of the display (the Israeli grid; the New Israeli Grid\n"
     "for --itm and --latlon) every round number of km with its numbers, a scale bar, each point\n"
     "a small circle with its label. Without --tiles nothing is fetched.",
     Cmd_Plot},
};

bool Takes(const cToolOption& o, const QString& command) {
  return QString::fromLatin1(o.commands).split(QLatin1Char(' ')).contains(command);
}

QString Option_Text(const cToolOption& o) {
  QString text = QStringLiteral("--") + QLatin1String(o.name);
  if (o.value) text += QLatin1Char(' ') + QLatin1String(o.value);
  return text;
}

QString Indented(const char* text) {
  return QStringLiteral("      ") +
         QString::fromUtf8(text).replace(QLatin1Char('\n'), QStringLiteral("\n      ")) +
         QLatin1Char('\n');
}

QString Help() {
  QString text = QStringLiteral(
      "usage: vqtool COMMAND [OPTIONS] [FILES]\n\nFILE is a point list: .twl (Turbo CD), .gpx "
      "or VQ's own .csv (any letter case).\n\ncommands:\n");
  for (const cCommand& c : kCommands) {
    // The usage line wraps at 96 columns, its continuation indented under the command.
    QString line = QStringLiteral("  ") + QLatin1String(c.name);
    const auto add = [&](const QString& word) {
      if (line.size() + 1 + word.size() > 96) {
        text += line + QLatin1Char('\n');
        line = QString(4 + int(qstrlen(c.name)), QLatin1Char(' '));
      }
      line += QLatin1Char(' ') + word;
    };
    for (const cToolOption& o : Tool_Options())
      if (Takes(o, QLatin1String(c.name))) add(QStringLiteral("[") + Option_Text(o) + "]");
    if (*c.files) add(QLatin1String(c.files));
    text += line + QLatin1Char('\n') + Indented(c.help);
  }
  text += QStringLiteral("\noptions:\n");
  for (const cToolOption& o : Tool_Options()) {
    text += QStringLiteral("  %1\n").arg(Option_Text(o));
    text += Indented(o.help);
    text += QStringLiteral("      (%1)\n").arg(QLatin1String(o.commands));
  }
  text += QStringLiteral(
      "  --help\n      this text\n  --version\n      the version of vqtool\n\n"
      "Errors are one line on stderr; the exit status is 0 only on success, 2 for a command line\n"
      "that cannot be run.\n");
  return text;
}
void Quiet_Runtime_Note(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
  std::fputs(qFormatLogMessage(type, context, text).toLocal8Bit().append('\n').constData(), stderr);
}
}  // namespace

int main(int argc, char** argv) {
  // plot draws text, which needs Qt's GUI platform: the offscreen one, with or without a display.
  bool gui = false;
  for (int i = 1; i < argc; ++i) gui = gui || std::strcmp(argv[i], "plot") == 0;
  if (gui && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  // Without a desktop session Qt's GUI start notes a missing runtime folder that plot does not
  // need; only the tool's own lines belong on stderr.
  if (gui && qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
    qInstallMessageHandler(Quiet_Runtime_Note);
  std::unique_ptr<QCoreApplication> app_holder =
      gui ? std::make_unique<QGuiApplication>(argc, argv)
          : std::make_unique<QCoreApplication>(argc, argv);
  QCoreApplication& app = *app_holder;
  QCoreApplication::setOrganizationName(QStringLiteral("VQ"));
  QCoreApplication::setApplicationName(QStringLiteral("VQ"));

  QCommandLineParser parser;
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("this text"));
  parser.addOption(help);
  const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("the version"));
  parser.addOption(version);
  for (const cToolOption& o : Tool_Options()) {
    parser.addOption(o.value ? QCommandLineOption(QLatin1String(o.name), QLatin1String(o.help),
                                                  QLatin1String(o.value))
                             : QCommandLineOption(QLatin1String(o.name), QLatin1String(o.help)));
  }
  if (!parser.parse(app.arguments())) {
    ToolUtil::Error(parser.errorText() + QStringLiteral(" (see vqtool --help)"));
    return 2;
  }
  QStringList words = parser.positionalArguments();
  if (parser.isSet(version)) {
    std::fputs("vqtool " VQ_VERSION "\n", stdout);
    return 0;
  }
  if (parser.isSet(help) || words.value(0) == QLatin1String("help")) {
    std::fputs(Help().toUtf8().constData(), stdout);
    return 0;
  }
  if (words.isEmpty()) {
    std::fputs(Help().toUtf8().constData(), stderr);
    return 2;
  }
  cToolArgs args;
  args.command = words.takeFirst();
  args.files = words;
  args.Set_Parser(&parser);
  for (const cCommand& c : kCommands) {
    if (args.command != QLatin1String(c.name)) continue;
    for (const QString& name : parser.optionNames()) {
      for (const cToolOption& o : Tool_Options())
        if (name == QLatin1String(o.name) && !Takes(o, args.command))
          return args.Usage(QStringLiteral("--%1 does not apply").arg(name));
    }
    cPick pick;
    if (args.Is_Set("pick") && !Parse_Pick(args.Value("pick"), pick))
      return args.Usage(QStringLiteral("bad value '%1' for --pick (route:N, track:N or waypoints)")
                            .arg(args.Value("pick")));
    return c.run(args);
  }
  ToolUtil::Error(QStringLiteral("unknown command '%1' (see vqtool --help)").arg(args.command));
  return 2;
}
