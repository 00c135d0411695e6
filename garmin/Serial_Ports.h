#pragma once
// The serial ports this computer has, with what the system says of each. Garmin's USB receivers
// of before about 2010 (GPSMAP 60C/CSx, 76Cx, eTrex Vista/Legend HCx, Edge 205/305) appear on
// Linux as a serial port (/dev/ttyUSB0) through the kernel's garmin_gps module and speak the
// serial protocol there; such a port is marked as a Garmin receiver.
#include <QString>
#include <QVector>

struct cSerialPortInfo {
  QString Device;       // "/dev/ttyUSB0", "COM3"
  QString Description;  // the system's description, maker first when it gives one
  bool Garmin = false;  // the port is a Garmin receiver (the maker's USB id, or its name)
};

// In the order of their devices.
QVector<cSerialPortInfo> Serial_Ports();
