#include "tool/Options.h"

#include <QSettings>
#include <cmath>
#include <limits>

#include "garmin/cSerialPort.h"
#include "tool/ToolUtil.h"
#include "workflows/Port_Device.h"

namespace {
constexpr const char* kLink = "info download-track upload-route";
// Ports are numbered as the settings dialog numbers them; a device path names any other.
constexpr int kMaxPort = 255;
constexpr const char* kShape = "show convert stats";
constexpr int kMaxTimeout_ms = 60000;
}  // namespace

const QVector<cToolOption>& Tool_Options() {
  static const QVector<cToolOption> options = {
      {"latlon", nullptr, "show plot", "latitude/longitude instead of the Israeli grid"},
      {"itm", nullptr, "show plot", "the New Israeli Grid (EPSG:2039) instead of the Israeli grid"},
      {"true-datum", nullptr, "show convert upload-route plot",
       "read the file's grid values on the grid's own datum (EPSG:28193) and take them to WGS 84\n"
       "through PROJ; the Israeli grid is shown on that datum too"},
      {"pick", "P", "show convert upload-route stats plot names",
       "route:N, track:N (from 1) or waypoints: the part of a .gpx FILE that becomes the list\n"
       "(default: its first route, else its first track, else its waypoints)"},
      {"reverse", nullptr, kShape, "reverse the list (after --pick, before the two below)"},
      {"tolerance", "M", kShape,
       "keep the fewest points such that no point dropped lies more than M metres (0 or more) "
       "from\n"
       "the line of the points kept; the first and the last always stay"},
      {"max-points", "N", kShape,
       "keep at most N points (2 or more), those that keep the line closest to the dropped ones;\n"
       "with --tolerance, N caps its result. A track simplified so is written as a route"},
      {"size", "WxH", "plot",
       "the picture's size in pixels (default 1600x1200; a PDF is an A4 landscape page without it)"},
      {"no-labels", nullptr, "plot", "draw the points without their labels"},
      {"tiles", "URL", "plot",
       "a base map of web tiles in Web Mercator from this template with {z}, {x} and {y}, such as\n"
       "https://tile.openstreetmap.org/{z}/{x}/{y}.png or file:///maps/{z}/{x}/{y}.png, kept in\n"
       "VQ's disk cache; tiles that do not come in time are left out with a warning"},
      {"attribution", "TEXT", "plot",
       "the base map's credit drawn on the plot (default \"© OpenStreetMap contributors\")"},
      {"port", "P", kLink,
       "serial port number 1 to 255, or the device's path (default: the stored port)"},
      {"settings", "S", kLink, "line settings such as 9600,N,8,1 (default: the stored ones)"},
      {"timeout", "MS", kLink,
       "how long a request waits for its answer, 1 to 60000 milliseconds (default 2000)"},
      {"trace", nullptr, kLink, "print every frame sent and received on stderr"},
      {"number", "R", "upload-route", "the route number, 1 to 20"},
      {"title", "T", "upload-route names", "the route title (default: the file's name)"},
      {"yes", nullptr, "download-track upload-route",
       "go on when two points get the same name in the receiver; keep the points of a log cut\n"
       "short"},
      {"format", "DNNN", "names",
       "the receiver's waypoint format, D100 to D110 or D150 to D155 (default D108); GPX gives\n"
       "the names of a drive upload"},
      {"latin-names", nullptr, "names upload-route",
       "names of A-Z, 0-9, space and hyphen for a receiver without Hebrew: the hiker's own name,\n"
       "else the label, marks removed and Hebrew transliterated (see README); unique in the route"},
      {"name-length", "L", "names upload-route",
       "the longest Latin name, 6 to 20 (default 10; the six-character formats take 6, a drive 14)"},
      {"names", "FILE", "names upload-route",
       "the hiker's own Latin names, UTF-8 lines 'label,name'; they win over names.csv in the\n"
       "settings folder, and a line without a usable name stops the command"},
      {"storage", "DIR", "download-track upload-route",
       "the folder of a Garmin receiver seen as a USB drive (one holding a Garmin folder): the\n"
       "route is written there as a GPX file, the track is read from its active log"},
  };
  return options;
}

QString cPortChoice::Where() const { return QStringLiteral("%1 (%2)").arg(port).arg(device); }

int cToolArgs::Usage(const QString& problem) const {
  ToolUtil::Error(QStringLiteral("%1: %2 (see vqtool --help)").arg(command, problem));
  return 2;
}

bool cToolArgs::Number(const char* name, int lo, int hi, int& out) const {
  bool ok = false;
  const int n = Value(name).trimmed().toInt(&ok);
  if (!ok || n < lo || n > hi) {
    Usage(QStringLiteral("bad value '%1' for --%2 (%3 to %4)")
              .arg(Value(name))
              .arg(QLatin1String(name))
              .arg(lo)
              .arg(hi));
    return false;
  }
  out = n;
  return true;
}

bool cToolArgs::Shape(cShapeChoice& out) const {
  out = cShapeChoice();
  out.reverse = Is_Set("reverse");
  if (Is_Set("tolerance")) {
    bool ok = false;
    out.tolerance_m = Value("tolerance").trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(out.tolerance_m) || out.tolerance_m < 0) {
      Usage(QStringLiteral("bad value '%1' for --tolerance (metres, 0 or more)")
                .arg(Value("tolerance")));
      return false;
    }
  }
  return !Is_Set("max-points") ||
         Number("max-points", 2, std::numeric_limits<int>::max(), out.max_points);
}

bool cToolArgs::Link(cPortChoice& out) const {
  QSettings store(QStringLiteral("VQ"), QStringLiteral("VQ"));
  bool ok = false;
  int port = store.value(QStringLiteral("Settings/COM"), 1).toString().toInt(&ok);
  if (!ok || port < 1 || port > kMaxPort) port = 1;
  out.device.clear();
  if (Is_Set("port")) {
    const QString text = Value("port").trimmed();
    const int n = text.toInt(&ok);
    if (ok && (n < 1 || n > kMaxPort)) {
      Usage(QStringLiteral("bad port number '%1' (1 to %2, or a device path)")
                .arg(text)
                .arg(kMaxPort));
      return false;
    }
    if (text.isEmpty()) {
      Usage(QStringLiteral("--port needs a number or a device path"));
      return false;
    }
    if (ok)
      port = n;
    else
      out.device = text;
  }
  out.port = qint16(port);
  if (out.device.isEmpty()) out.device = Port_Device(port);
  out.settings =
      Is_Set("settings")
          ? Value("settings")
          : store.value(QStringLiteral("Settings/Comm"), QStringLiteral("9600,N,8,1")).toString();
  cLineSettings line;
  if (!Parse_Line_Settings(out.settings, line)) {
    Usage(QStringLiteral("bad line settings '%1' (for example 9600,N,8,1)").arg(out.settings));
    return false;
  }
  out.timeout_ms = 2000;
  if (Is_Set("timeout") && !Number("timeout", 1, kMaxTimeout_ms, out.timeout_ms)) return false;
  out.trace = Is_Set("trace");
  return true;
}
