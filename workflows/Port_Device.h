#pragma once
// The device a port number stands for, as the user set it up: the settings store's section
// "Ports", key n, names the device when present (any path: /dev/ttyACM0, a pseudo-terminal);
// otherwise the serial control's own mapping (COMn on Windows, /dev/ttyUSB(n-1) elsewhere).
#include <QString>

QString Port_Device(int port);
