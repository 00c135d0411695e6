// download-track and upload-route: the window's transfers on the command line, through the same
// transfer code; the window's messages go to stderr.
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
void Line(const QString& text) {
  QString t = text;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  std::fprintf(stderr, "%s\n", t.toUtf8().constData());
}

// Nobody is there to press Retry: the first four unanswered requests end the command.
class cConsoleUI : public cTransferUI {
 public:
  bool yes = false;
  bool ended = false, completed = false;
  QEventLoop loop;

  void Notice(const QString& text) override { Line(text); }
  bool Ask_Retry(const QString& text) override {
    Line(text);
    return false;
  }
  bool Ask_Go_On(const QString& text) override {
    Line(text);
    if (!yes) Line(QStringLiteral("vqtool: stopped (give --yes to go on)"));
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
  void Transfer_Ended(bool ok) override {
    ended = true;
    completed = ok;
    loop.quit();
  }

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

// Waits, events flowing, until the transfer that started ends; the driver's time-out bounds it.
int Run(cConsoleUI& ui, bool started) {
  if (!started) return 1;
  if (!ui.ended) ui.loop.exec();
  return ui.completed ? 0 : 1;
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
  cTransfer transfer(link.garmin, points, ui);
  transfer.Set_Handshake_Wait_Ms(o.timeout_ms);
  const int status = Run(ui, transfer.Garmin_Download_Start(o.port, o.settings));
  if (!ui.completed && points.Count() == 0) return status;
  // A count mismatch is reported above; what did arrive is still written.
  if (!ToolUtil::Write_Points(out, points)) return 1;
  return status;
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
  transfer.Set_Handshake_Wait_Ms(o.timeout_ms);
  transfer.Set_Name_Rules(rules);
  return Run(ui, transfer.Garmin_Upload_Start(o.port, o.settings, qint16(number), title));
}
