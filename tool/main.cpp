// vqtool: VQ's jobs on the command line, on the same code as the window.
#include <QCoreApplication>
#include <cstdio>
#include <cstring>

#include "tool/Commands.h"

namespace {
struct cCommand {
  const char* name;
  int (*run)(const QStringList&);
};

// One row per command; the help text below describes each.
constexpr cCommand kCommands[] = {
    {"show", Cmd_Show},
    {"convert", Cmd_Convert},
    {"info", Cmd_Info},
    {"download-track", Cmd_Download_Track},
    {"upload-route", Cmd_Upload_Route},
};

const char kHelp[] =
    "usage: vqtool COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  show [--latlon] FILE.twl\n"
    "      Print the point list as the VQ window shows it after loading FILE: one line per\n"
    "      point, the six columns (label, easting or latitude, northing or longitude,\n"
    "      altitude, comment, leg in km) joined by TAB, UTF-8. Israeli grid by default,\n"
    "      latitude/longitude with --latlon.\n"
    "  convert FILE.twl OUT\n"
    "      Write the points of FILE to OUT as the window's Save As does: OUT ending in .txt\n"
    "      gives Turbo CD import text, .csv a spreadsheet file (any letter case).\n"
    "  info [--port N] [--device PATH] [--settings S] [--timeout MS] [--trace]\n"
    "      Ask the GPS receiver on serial port N (default: the stored port) who it is.\n"
    "\n"
    "Errors are one line on stderr; the exit status is 0 only on success.\n";
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("VQ"));
  QCoreApplication::setApplicationName(QStringLiteral("VQ"));
  QStringList args = app.arguments().mid(1);
  if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h") ||
      args[0] == QLatin1String("help")) {
    std::fputs(kHelp, args.isEmpty() ? stderr : stdout);
    return args.isEmpty() ? 2 : 0;
  }
  const QString name = args.takeFirst();
  for (const cCommand& c : kCommands) {
    if (name == QLatin1String(c.name)) return c.run(args);
  }
  std::fprintf(stderr, "vqtool: unknown command '%s' (see vqtool --help)\n",
               name.toLocal8Bit().constData());
  return 2;
}
