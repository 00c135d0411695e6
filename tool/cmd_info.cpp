// vqtool info: asks a receiver who it is, as the window's handshake does (a request, a wait,
// up to four tries), and prints its product data and the protocols it announced.
#include <QSettings>
#include <QTimer>
#include <cstdio>

#include "garmin/cGarmin.h"
#include "garmin/cSerialPort.h"
#include "tool/Commands.h"
#include "tool/ToolUtil.h"

namespace {
constexpr int kTries = 4;
constexpr int kDefaultWaitMs = 2000;
// After the product data, how long the capability array may take to follow.
constexpr int kArrayWaitMs = 1000;

// A name the receiver left empty reads NUL + "0"; print it as "none".
QString Printable(const QString& name) {
  return name.startsWith(QChar(0)) ? QStringLiteral("none") : name;
}

void Print(const char* name, const QString& value) {
  std::printf("%s: %s\n", name, value.toLocal8Bit().constData());
}

int Usage(const QString& problem) {
  ToolUtil::Error(problem + QStringLiteral(" (usage: vqtool info [--port N] [--device PATH] "
                                           "[--settings S] [--timeout MS] [--trace])"));
  return 2;
}
}  // namespace

int Cmd_Info(const QStringList& args) {
  QSettings store(QStringLiteral("VQ"), QStringLiteral("VQ"));
  int port = store.value(QStringLiteral("Settings/COM"), 1).toInt();
  QString settings =
      store.value(QStringLiteral("Settings/Comm"), QStringLiteral("9600,N,8,1")).toString();
  QString device;
  int wait_ms = kDefaultWaitMs;
  bool trace = false;
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    const bool has_value = i + 1 < args.size();
    if (a == QLatin1String("--trace")) {
      trace = true;
    } else if (a == QLatin1String("--port") && has_value) {
      bool number = false;
      const int n = args[++i].toInt(&number);
      if (number && n >= 1 && n <= 255)
        port = n;
      else if (!number && !args[i].isEmpty())
        device = args[i];
      else
        return Usage(QStringLiteral("bad port number '%1'").arg(args[i]));
    } else if (a == QLatin1String("--device") && has_value) {
      device = args[++i];
    } else if (a == QLatin1String("--settings") && has_value) {
      settings = args[++i];
    } else if (a == QLatin1String("--timeout") && has_value) {
      bool ok = false;
      wait_ms = args[++i].toInt(&ok);
      if (!ok || wait_ms < 1 || wait_ms > 60000)
        return Usage(QStringLiteral("bad time-out '%1' (milliseconds, 1 to 60000)").arg(args[i]));
    } else {
      return Usage(QStringLiteral("unknown or incomplete argument '%1'").arg(a));
    }
  }
  cLineSettings line;
  if (!Parse_Line_Settings(settings, line))
    return Usage(QStringLiteral("bad line settings '%1' (for example 9600,N,8,1)").arg(settings));

  cSerialPort serial;
  serial.setDevicePath(device);
  serial.setCommPort(qint16(port));
  QTimer timer;
  timer.setInterval(wait_ms);
  cGarmin garmin;
  garmin.setComGarmin(&serial);
  garmin.setTmrTimeout(&timer);
  garmin.setPort(qint16(port));
  garmin.setSettings(settings);

  bool product = false, array = false, sentences = false;
  QObject::connect(&garmin, &cGarmin::Receive, [&](quint8 pid, quint8) {
    if (pid == garmin.PID_Product_Data()) product = true;
    if (pid == garmin.PID_Protocol_Array()) array = true;
  });
  QObject::connect(&garmin, &cGarmin::NMEA, [&](const QString&, bool) { sentences = true; });
  if (trace) {
    QObject::connect(&garmin, &cGarmin::HexDebug, [](const QString& line) {
      std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    });
    QObject::connect(&garmin, &cGarmin::cError,
                     [](qint16 n, const QString& msg, const QByteArray&) {
                       std::fprintf(stderr, "error %d: %s\n", n, msg.toLocal8Bit().constData());
                     });
  }

  const QString where = QStringLiteral("%1 (%2)").arg(port).arg(serial.Device());
  if (!garmin.PortOpen()) {
    ToolUtil::Error(
        QStringLiteral("cannot open serial port %1 with settings %2").arg(where, settings));
    return 2;
  }
  for (int attempt = 0; attempt < kTries && !product && !sentences; ++attempt) {
    garmin.Request_Product_Data();
    for (int waited = 0; waited < wait_ms && !product && serial.PortOpen(); waited += 20)
      garmin.WaitFor_Ms(20);
    if (!serial.PortOpen()) break;
  }
  // Receivers that have one send the capability array right after the product data.
  for (int waited = 0; product && !array && waited < kArrayWaitMs && serial.PortOpen();
       waited += 20)
    garmin.WaitFor_Ms(20);
  const bool lost = !serial.PortOpen();
  garmin.PortClose();

  if (!product) {
    if (sentences)
      ToolUtil::Error(QStringLiteral("the receiver on port %1 is sending NMEA or TEXT sentences; "
                                     "set its serial interface to GARMIN")
                          .arg(where));
    else if (lost)
      ToolUtil::Error(QStringLiteral("the receiver on port %1 went away").arg(where));
    else
      ToolUtil::Error(QStringLiteral("no answer from a receiver on port %1").arg(where));
    return 1;
  }
  Print("Product_ID", QString::number(garmin.Product_Data.Product_ID));
  Print("Software_Version", QString::number(garmin.Product_Data.Software_Version));
  Print("Product_Description_1", garmin.Product_Data.Product_Description_1);
  Print("Product_Description_2", garmin.Product_Data.Product_Description_2);
  Print("Link_Protocol", Printable(garmin.Link_Protocol()));
  Print("WayPoint_Transfer_Protocol", Printable(garmin.WayPoint_Transfer_Protocol()));
  Print("Waypoint_Data_Format", Printable(garmin.Waypoint_Data_Format()));
  Print("Route_Transfer_Protocol", Printable(garmin.Route_Transfer_Protocol()));
  Print("Route_Data_Format", Printable(garmin.Route_Data_Format()));
  Print("Route_Wpt_Data_Format", Printable(garmin.Route_Wpt_Data_Format()));
  Print("Track_Transfer_Protocol", Printable(garmin.Track_Transfer_Protocol()));
  Print("Track_Data_Format", Printable(garmin.Track_Data_Format()));
  Print("Prox_Wpt_Transfer_Protocol", Printable(garmin.Prox_Wpt_Transfer_Protocol()));
  Print("Prox_Wpt_Data_Format", Printable(garmin.Prox_Wpt_Data_Format()));
  return 0;
}
