// download-track and upload-route: the window's transfers on the command line, through the same
// transfer code, its messages in English on stderr.
#include <QEventLoop>
#include <QTimer>
#include <cstdio>

#include "files/Exports.h"
#include "files/TwlFile.h"
#include "garmin/cGarmin.h"
#include "garmin/cSerialPort.h"
#include "points/cVQPoints.h"
#include "tool/Commands.h"
#include "tool/Options.h"
#include "tool/ToolUtil.h"
#include "workflows/cTransfer.h"
#include "workflows/cTransferUI.h"

namespace {
void Line(const QString& text) { std::fprintf(stderr, "%s\n", text.toUtf8().constData()); }

// Nobody is there to press Retry: the first four unanswered requests end the command.
class cConsoleUI : public cTransferUI {
 public:
  bool yes = false;

  void Notice(const QString& text) override { ToolUtil::Error(text); }
  bool Ask_Retry(const QString& text) override {
    ToolUtil::Error(text);
    return false;
  }
  bool Ask_Go_On(const QString& text) override {
    ToolUtil::Error(text);
    if (!yes) ToolUtil::Error(QStringLiteral("stopped (give --yes to go on)"));
    return yes;
  }
  void Show_Panel(int panel, const QString& text) override {
    if (panel == 1 && !text.isEmpty()) Line(QStringLiteral("receiver: ") + text);
  }
  void Show_Progress(int done, int total) override {
    if (total <= 0) return;
    const int percent = int(qint64(done) * 100 / total);
    if (percent != last_percent && percent % 10 == 0) {
      std::fprintf(stderr, "progress: %d of %d\n", done, total);
      last_percent = percent;
    }
  }
  void Set_Busy(bool) override {}

 private:
  int last_percent = -1;
};

// The driver, its serial control and its timer, as the window sets them up.
struct cLink {
  cSerialPort comm;
  QTimer timer;
  cGarmin garmin;
  explicit cLink(const cPortChoice& o) {
    comm.setDevicePath(o.device);
    timer.setInterval(o.timeout_ms);
    garmin.setTmrTimeout(&timer);
    garmin.setComGarmin(&comm);
    if (o.trace) {
      QObject::connect(&garmin, &cGarmin::HexDebug, [](const QString& line) { Line(line); });
    }
  }
};

// Runs the transfer that started until it ends; the driver's time-out and the handshake's
// deadlines bound it.
cTransfer::cEnd Run(cTransfer& transfer, bool started) {
  if (!started) return cTransfer::cEnd::Failed;
  cTransfer::cEnd how = cTransfer::cEnd::Failed;
  QEventLoop loop;
  QObject::connect(&transfer, &cTransfer::Ended, &loop, [&](cTransfer::cEnd end) {
    how = end;
    loop.quit();
  });
  loop.exec();
  return how;
}
}  // namespace

int Cmd_Download_Track(const cToolArgs& args) {
  if (args.Is_Set("storage")) return Cmd_Download_Track_Storage(args);
  if (args.files.size() != 1) return args.Usage(QStringLiteral("give one OUT file"));
  cPortChoice o;
  if (!args.Link(o)) return 2;
  const QString out = args.files[0];
  if (!ToolUtil::Check_Out_Name(out)) return 2;
  cLink link(o);
  cVQPoints points;
  cConsoleUI ui;
  ui.yes = args.Is_Set("yes");
  cTransfer transfer(link.garmin, points, ui);
  transfer.Set_English(true);
  transfer.Set_Handshake_Wait_Ms(o.timeout_ms);
  const cTransfer::cEnd how = Run(transfer, transfer.Garmin_Download_Start(o.port, o.settings));
  if (how == cTransfer::cEnd::Failed) return 1;
  // A count mismatch, or a log cut short and kept with --yes, is reported above and still written.
  if (!ToolUtil::Write_Points(out, points)) return 1;
  return how == cTransfer::cEnd::Completed ? 0 : 1;
}

int Load_Route(const cToolArgs& args, cVQPoints& points, int& number, QString& title) {
  if (args.files.size() != 1)
    return args.Usage(QStringLiteral("give one FILE (.twl, .gpx or .csv)"));
  if (!args.Is_Set("number")) return args.Usage(QStringLiteral("give --number R (1 to 20)"));
  if (!args.Number("number", 1, 20, number)) return 2;
  // With --true-datum the points, and so the waypoints sent, are the file's true WGS 84 places.
  if (!ToolUtil::Load(args.files[0], points, args.Value("pick"), args.Is_Set("true-datum")))
    return 1;
  title = args.Is_Set("title") ? args.Value("title")
                               : cTransfer::Offered_Title(Path_To_Name(args.files[0]));
  return 0;
}

int Cmd_Upload_Route(const cToolArgs& args) {
  if (args.Is_Set("storage")) return Cmd_Upload_Route_Storage(args);
  cPortChoice o;
  if (!args.Link(o)) return 2;
  cVQPoints points;
  int number = 0;
  QString title;
  if (const int status = Load_Route(args, points, number, title)) return status;
  cNameRules rules;
  if (const int status = Name_Rules(args, rules)) return status;
  cLink link(o);
  cConsoleUI ui;
  ui.yes = args.Is_Set("yes");
  cTransfer transfer(link.garmin, points, ui);
  transfer.Set_English(true);
  transfer.Set_Handshake_Wait_Ms(o.timeout_ms);
  transfer.Set_Name_Rules(rules);
  const bool started = transfer.Garmin_Upload_Start(o.port, o.settings, qint16(number), title);
  return Run(transfer, started) == cTransfer::cEnd::Completed ? 0 : 1;
}
