#pragma once
// Port numbers to devices. On Windows port n is "COMn". Elsewhere the settings store's section
// "Ports", key n, names the device when present (any path: /dev/ttyACM0, a pseudo-terminal);
// otherwise port n is /dev/ttyUSB(n-1), where a USB-serial cable appears on Linux.
#include <QString>

QString Port_Device(int port);
