#include "garmin/Port_Device.h"

#include <QSettings>

QString Port_Device(int port) {
#ifdef Q_OS_WIN
  return QStringLiteral("COM%1").arg(port);
#else
  QSettings store(QStringLiteral("VQ"), QStringLiteral("VQ"));
  const QString mapped = store.value(QStringLiteral("Ports/%1").arg(port)).toString().trimmed();
  if (!mapped.isEmpty()) return mapped;
  return QStringLiteral("/dev/ttyUSB%1").arg(port - 1);
#endif
}
