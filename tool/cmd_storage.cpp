// download-track and upload-route with --storage DIR: the same jobs on a receiver seen as a USB
// drive, through the window's code; one line on stderr tells how it ended.
#include <cstdio>

#include "files/Exports.h"
#include "files/TwlFile.h"
#include "points/cVQPoints.h"
#include "tool/Commands.h"
#include "tool/Options.h"
#include "tool/ToolUtil.h"
#include "workflows/Usb_Transfer.h"
#include "workflows/cTransfer.h"

namespace {
// The serial options name another receiver: with a drive they are a mistake, not ignored.
bool Drive_Only(const cToolArgs& args) {
  for (const char* name : {"port", "settings", "timeout", "trace"})
    if (args.Is_Set(name)) {
      args.Usage(QStringLiteral("--%1 does not go with --storage").arg(QLatin1String(name)));
      return false;
    }
  return true;
}
}  // namespace

int Cmd_Download_Track_Storage(const cToolArgs& args) {
  if (args.files.size() != 1) return args.Usage(QStringLiteral("give one OUT file"));
  if (!Drive_Only(args)) return 2;
  const QString out = args.files[0];
  if (!ToolUtil::Check_Out_Name(out)) return 2;
  cVQPoints points;
  const cUsbResult r = Usb_Download_Track(args.Value("storage"), points);
  if (r.status != cUsbResult::Done) {
    ToolUtil::Error(Usb_Line(r));
    return 1;
  }
  if (!ToolUtil::Write_Points(out, points)) return 1;
  return 0;
}

int Cmd_Upload_Route_Storage(const cToolArgs& args) {
  if (args.files.size() != 1) return args.Usage(QStringLiteral("give one FILE"));
  if (!args.Is_Set("number")) return args.Usage(QStringLiteral("give --number R (1 to 20)"));
  int number = 0;
  if (!args.Number("number", 1, 20, number) || !Drive_Only(args)) return 2;
  cVQPoints points;
  // With --true-datum the route holds the file's true WGS 84 places, as a serial upload sends.
  if (!ToolUtil::Load(args.files[0], points, args.Value("pick"), args.Is_Set("true-datum")))
    return 1;
  const QString title = args.Is_Set("title")
                            ? args.Value("title")
                            : cTransfer::Offered_Title(Path_To_Name(args.files[0]));
  const cUsbResult r = Usb_Upload_Route(args.Value("storage"), points, number, title);
  if (r.status != cUsbResult::Done) {
    ToolUtil::Error(Usb_Line(r));
    return 1;
  }
  std::fprintf(stderr, "%s\n", Usb_Line(r).toLocal8Bit().constData());
  return 0;
}
