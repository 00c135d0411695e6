// devices: what a transfer can reach from here, one line each (kind, place, description, TAB
// between): the serial ports, those whose device is a Garmin receiver (the older USB ones through
// the kernel's garmin_gps module) as "receiver", and the Garmin drives with their model.
#include <cstdio>

#include "garmin/Serial_Ports.h"
#include "storage/cGarminDrive.h"
#include "tool/Commands.h"
#include "tool/Options.h"

int Cmd_Devices(const cToolArgs& args) {
  if (!args.files.isEmpty()) return args.Usage(QStringLiteral("takes no files"));
  QString text;
  for (const cSerialPortInfo& p : Serial_Ports())
    text += QStringLiteral("%1\t%2\t%3\n")
                .arg(p.Garmin ? QStringLiteral("receiver") : QStringLiteral("port"), p.Device,
                     p.Description);
  for (const cGarminDrive& d : Find_Garmin_Drives())
    text += QStringLiteral("drive\t%1\t%2\n").arg(d.Root, d.Description);
  std::fputs(text.toUtf8().constData(), stdout);
  return 0;
}
