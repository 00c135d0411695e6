#include "workflows/Port_Device.h"

#include <QSettings>

#include "garmin/cSerialPort.h"

QString Port_Device(int port) {
#ifndef Q_OS_WIN
  QSettings store(QStringLiteral("VQ"), QStringLiteral("VQ"));
  const QString mapped = store.value(QStringLiteral("Ports/%1").arg(port)).toString().trimmed();
  if (!mapped.isEmpty()) return mapped;
#endif
  return Default_Port_Device(port);
}
