#include "garmin/Serial_Ports.h"

#include <QSerialPortInfo>
#include <algorithm>

namespace {
// Garmin's USB vendor id.
constexpr quint16 Garmin_Vendor_Id = 0x091E;
}  // namespace

QVector<cSerialPortInfo> Serial_Ports() {
  QVector<cSerialPortInfo> out;
  for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
    cSerialPortInfo p;
    p.Device = port.systemLocation();
    QStringList words;
    for (const QString& w : {port.manufacturer(), port.description()})
      if (!w.trimmed().isEmpty() && !words.contains(w.trimmed())) words << w.trimmed();
    p.Description = words.join(QLatin1Char(' '));
    p.Garmin = (port.hasVendorIdentifier() && port.vendorIdentifier() == Garmin_Vendor_Id) ||
               p.Description.contains(QLatin1String("garmin"), Qt::CaseInsensitive);
    out << p;
  }
  std::sort(out.begin(), out.end(),
            [](const cSerialPortInfo& a, const cSerialPortInfo& b) { return a.Device < b.Device; });
  return out;
}
