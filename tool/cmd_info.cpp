// vqtool info: asks a receiver who it is, as the window's handshake does (a request, a wait,
// up to four tries), and prints its product data and the protocols it announced.
#include <QTimer>
#include <cstdio>

#include "garmin/cGarmin.h"
#include "garmin/cSerialPort.h"
#include "tool/Commands.h"
#include "tool/Options.h"
#include "tool/ToolUtil.h"

namespace {
constexpr int kTries = 4;
// After the product data, how long the capability array may take to follow.
constexpr int kArrayWaitMs = 1000;

// A name the receiver left empty reads NUL + "0"; print it as "none".
QString Printable(const QString& name) {
  return name.startsWith(QChar(0)) ? QStringLiteral("none") : name;
}

void Print(const char* name, const QString& value) {
  std::printf("%s: %s\n", name, value.toLocal8Bit().constData());
}
}  // namespace

int Cmd_Info(const cToolArgs& args) {
  if (!args.files.isEmpty()) return args.Usage(QStringLiteral("takes no file"));
  cPortChoice link;
  if (!args.Link(link)) return 2;
  const int port = link.port, wait_ms = link.timeout_ms;
  const QString& settings = link.settings;
  const bool trace = link.trace;

  cSerialPort serial;
  serial.setDevicePath(link.device);
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

  const QString where = link.Where();
  if (!garmin.PortOpen()) {
    ToolUtil::Error(
        serial.Open_Denied()
            ? QStringLiteral("no permission to open %1; add your user to the dialout "
                             "group and log in again")
                  .arg(serial.Device())
            : QStringLiteral("cannot open %1: %2").arg(serial.Device(), serial.Open_Error()));
    return 1;
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
  // What the receiver said belongs to this session: kept before the port closes.
  const cReceiver said = garmin.Receiver();
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
  Print("Product_ID", QString::number(said.Product.Product_ID));
  Print("Software_Version", QString::number(said.Product.Software_Version));
  Print("Product_Description_1", said.Product.Product_Description_1);
  Print("Product_Description_2", said.Product.Product_Description_2);
  Print("Link_Protocol", Printable(said.Link_Protocol));
  Print("WayPoint_Transfer_Protocol", Printable(said.WayPoint_Transfer_Protocol));
  Print("Waypoint_Data_Format", Printable(said.Waypoint_Data_Format));
  Print("Route_Transfer_Protocol", Printable(said.Route_Transfer_Protocol));
  Print("Route_Data_Format", Printable(said.Route_Data_Format));
  Print("Route_Wpt_Data_Format", Printable(said.Route_Wpt_Data_Format));
  Print("Track_Transfer_Protocol", Printable(said.Track_Transfer_Protocol));
  Print("Track_Data_Format", Printable(said.Track_Data_Format));
  Print("Prox_Wpt_Transfer_Protocol", Printable(said.Prox_Wpt_Transfer_Protocol));
  Print("Prox_Wpt_Data_Format", Printable(said.Prox_Wpt_Data_Format));
  return 0;
}
