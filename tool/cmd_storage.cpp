// download-track and upload-route with --storage DIR: the same jobs on a receiver seen as a USB
// drive, through the window's code; one line on stderr tells how it ended.
#include <cstdio>

#include "points/cVQPoints.h"
#include "tool/Commands.h"
#include "tool/Options.h"
#include "tool/ToolUtil.h"
#include "workflows/Usb_Transfer.h"

namespace {
// The serial options name another receiver: with a drive they are a mistake, not ignored.
bool Drive_Only(const cToolArgs& args) {
  for (const char* name : {"port", "settings", "timeout", "trace", "name-length"})
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
  if (!Drive_Only(args)) return 2;
  cVQPoints points;
  int number = 0;
  QString title;
  if (const int status = Load_Route(args, points, number, title)) return status;
  cNameRules rules;
  if (const int status = Name_Rules(args, rules)) return status;
  const cUsbResult r = Usb_Upload_Route(args.Value("storage"), points, number, title, rules);
  if (r.status != cUsbResult::Done) {
    ToolUtil::Error(Usb_Line(r));
    return 1;
  }
  std::fprintf(stderr, "%s\n", Usb_Line(r).toLocal8Bit().constData());
  return 0;
}
